#include "shell/main_dlg.h"

#include "shell/tree_builder.h"

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
    m_root = BuildTree(*m_reader, m_tree, m_computerName);
    if (!m_reader->Problems().empty())
        m_tree.SetItemWarning(m_root, ProblemsText(*m_reader));
    return true;
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
