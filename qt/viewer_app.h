#pragma once
// The application: runs the main window modally, and ends when it closes.
#include <memory>
#include <string>

#include "reader/table_reader.h"

class CViewerApp {
public:
    CViewerApp(std::unique_ptr<CTableReader> reader, std::string appTitle, std::string advice = {})
        : m_reader(std::move(reader)), m_appTitle(std::move(appTitle)), m_advice(std::move(advice))
    {
    }

    // Runs the main window; returns the exit status: 0, or 1 when there was no table.
    // Needs a QApplication.
    int InitInstance();

private:
    std::unique_ptr<CTableReader> m_reader;
    std::string m_appTitle;
    std::string m_advice;
};
