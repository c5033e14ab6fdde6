#include "shell/table_source.h"

std::unique_ptr<CTableReader> ChooseTable(const TableOptions& options)
{
    if (!options.dumpPath.empty())
        return std::make_unique<CTableReader>(MakeSavedTableLocator(options.dumpPath));
    return std::make_unique<CTableReader>();
}
