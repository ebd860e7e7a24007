#pragma once
// What the user is told of a file that holds no cursors: a damaged animated cursor says what is
// wrong with it, any other file that it holds none.
#include <string>

std::string NoCursorsMessage(const std::string& path);
