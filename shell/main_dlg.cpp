#include "shell/main_dlg.h"

#include <cstdio>

#include "platform/file_bytes.h"
#include "shell/dump_bin.h"
#include "shell/tree_builder.h"
#include "shell/views.h"

namespace {

bool IsFile(const std::string& path)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f != nullptr)
        std::fclose(f);
    return f != nullptr && !IsDirectory(path);
}

std::vector<uint8_t> BytesOf(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

} // namespace

bool CMainDlg::OnInitDialog()
{
    if (m_reader->Open() != kOk) {
        std::string details = m_reader->Reason();
        if (!m_advice.empty())
            details += "\n" + m_advice;
        // Printed first: the box below waits for the user, the reason should not.
        if (m_log)
            *m_log << kNoDmiFunction << ": " << details << std::endl;
        m_messageBox.ShowDetailed(kNoDmiFunction, m_appTitle, details);
        return false;
    }
    FillTree();
    return true;
}

void CMainDlg::FillTree()
{
    m_root = BuildTree(*m_reader, m_tree, m_computerName);
    if (!m_reader->Problems().empty())
        m_tree.SetItemWarning(m_root, ProblemsText(*m_reader));
}

bool CMainDlg::OpenSavedTable(const std::string& path)
{
    auto reader = std::make_unique<CTableReader>(MakeSavedTableLocator(SavedTableLocation(path)));
    if (reader->Open() != kOk) {
        m_messageBox.Show("This table cannot be read (the one shown stays):\n" + reader->Reason(), m_appTitle);
        return false;
    }
    m_reader = std::move(reader);
    FillTree();
    return true;
}

bool CMainDlg::SaveTable(const std::string& path)
{
    std::vector<uint8_t> image = DumpBinImage(*m_reader);
    std::string reason = "no table to save";
    if (image.empty() || !SaveFileAtomically(path, image, reason)) {
        m_messageBox.Show("The table was not saved:\n" + reason, m_appTitle);
        return false;
    }
    return true;
}

bool CMainDlg::ExportReport(const std::string& path, ReportFormat format)
{
    std::string report = format == ReportFormat::Json   ? RenderJson(*m_reader, m_computerName)
                         : format == ReportFormat::Html ? RenderHtml(*m_reader, m_computerName)
                                                        : RenderText(*m_reader, m_computerName);
    std::string reason;
    if (!SaveFileAtomically(path, BytesOf(report), reason)) {
        m_messageBox.Show("The report was not saved:\n" + reason, m_appTitle);
        return false;
    }
    return true;
}

std::string SavedTableLocation(const std::string& path)
{
    size_t slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    std::string other = name == "smbios_entry_point" ? "DMI" : name == "DMI" ? "smbios_entry_point" : "";
    if (other.empty() || !IsFile(path) || !IsFile(folder + other))
        return path;
    return slash == std::string::npos ? folder : path.substr(0, slash == 0 ? 1 : slash);
}

void CMainDlg::OnDblClk()
{
    TreeItem item = m_tree.GetSelectedItem();
    // A node with children is expanded or collapsed by the tree itself.
    if (item == kTreeRoot || m_tree.ItemHasChildren(item))
        return;
    ShowDetail(item);
}

void CMainDlg::ShowDetail(TreeItem item)
{
    const uint8_t* structure = nullptr;
    // Only the root of an empty tree gets here without a structure (its value is 0).
    if (m_reader->GetStructure(static_cast<uint16_t>(m_tree.GetItemData(item)), &structure) != kOk ||
        structure == nullptr)
        return;
    m_runner.RunDetail(structure, *m_reader);
}

bool CMainDlg::OnSysCommand(unsigned id)
{
    if ((id & 0xFFF0) != kIdmAboutBox)
        return false;
    m_runner.RunAbout();
    return true;
}

std::string VersionText(const CTableReader& reader)
{
    return std::to_string(reader.Version() & 0xFF) + "." + std::to_string(reader.Version() >> 8);
}

std::string AboutSecondLine(const CTableReader& reader)
{
    if (!reader.IsOpen())
        return {};
    size_t count = reader.IndexedCount();
    return "SMBIOS " + VersionText(reader) + ", " + std::to_string(count) +
           (count == 1 ? " structure" : " structures");
}

std::string AboutProblemLine(const CTableReader& reader)
{
    size_t count = reader.Problems().size();
    if (count == 0)
        return {};
    return std::to_string(count) + (count == 1 ? " problem" : " problems") + " found while reading this table";
}

std::string ProblemsText(const CTableReader& reader)
{
    std::string text;
    for (const std::string& problem : reader.Problems())
        text += (text.empty() ? "" : "\n") + problem;
    return text;
}

std::string MainWindowTitle(const char* caption, const CTableReader& reader)
{
    std::string name = SavedTableName(reader);
    return name.empty() ? caption : caption + (" - " + name);
}

std::string ApplicationTitle(const std::string& executablePath)
{
    size_t slash = executablePath.find_last_of("/\\");
    std::string name = slash == std::string::npos ? executablePath : executablePath.substr(slash + 1);
    size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}
