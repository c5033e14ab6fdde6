#pragma once
#include <string>

// The computer's name, at most 15 characters (the 16-character buffer the tree's
// root text was designed around). Empty when the name cannot be read.
std::string HostComputerName();
