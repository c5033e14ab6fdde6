#pragma once
// The views for scripts and people: the tree and every structure decoded as the
// detail window shows it, as JSON, text or HTML. No Qt here.
#include <cstdio>
#include <string>

#include "reader/table_reader.h"

class MemoryList;

// Decodes index entry i as the detail window would, while it is the reader's current
// structure (so structures sharing a handle are each decoded by themselves). Returns
// the window's caption.
const char* DecodeStructure(CTableReader& reader, size_t i, MemoryList& rows);

std::string RenderJson(CTableReader& reader, const std::string& computerName);
std::string RenderText(CTableReader& reader, const std::string& computerName);
// A self-contained HTML page: the table's facts, contents by type, one table per structure.
std::string RenderHtml(CTableReader& reader, const std::string& computerName);
// One line per indexed structure; the table's problems are left to ProblemLines.
std::string RenderList(CTableReader& reader);
// The table's problems, one "Problem: ..." line each; empty for a sound table.
std::string ProblemLines(const CTableReader& reader);

// The same views written to a stream a buffer at a time, as a large table's view is
// megabytes; false when the stream fails. The stream is made unbuffered, so nothing may
// be waiting in its own buffer.
bool WriteJson(CTableReader& reader, const std::string& computerName, std::FILE* sink);
bool WriteText(CTableReader& reader, const std::string& computerName, std::FILE* sink);
bool WriteHtml(CTableReader& reader, const std::string& computerName, std::FILE* sink);
bool WriteList(CTableReader& reader, std::FILE* sink);

// Writes text to standard output, as the views are written; false when it cannot be written.
bool WriteOutput(const std::string& text);
