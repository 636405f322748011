// The lines of the Quillhaven.log in the folder a test runs in.
#pragma once

#include <fstream>
#include <string>
#include <vector>

inline std::vector<std::string> logLines() {
  std::ifstream file("Quillhaven.log", std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}
