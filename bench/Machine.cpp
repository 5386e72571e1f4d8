#include "bench/Machine.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>

long PeakRssKiB() {
  std::ifstream Status("/proc/self/status");
  std::string Line;
  while (std::getline(Status, Line))
    if (Line.rfind("VmHWM:", 0) == 0) return std::stol(Line.substr(6));
  throw std::runtime_error("no VmHWM in /proc/self/status");
}

double LoadAverage() {
  std::ifstream LoadAvg("/proc/loadavg");
  double OneMinute = -1;
  LoadAvg >> OneMinute;
  return OneMinute;
}

namespace {
std::string Quoted(const std::string& Argument) {
  if (Argument.find('\'') != std::string::npos)
    throw std::invalid_argument("argument with a quote: " + Argument);
  return "'" + Argument + "'";
}
} // namespace

std::string RunSelf(const std::vector<std::string>& Arguments) {
  std::string Command = "exec " + Quoted(std::filesystem::read_symlink("/proc/self/exe"));
  for (const std::string& Argument : Arguments)
    Command += " " + Quoted(Argument);
  std::unique_ptr<FILE, int (*)(FILE*)> Pipe(popen(Command.c_str(), "r"), pclose);
  if (!Pipe) throw std::runtime_error("cannot start " + Command);
  std::string Last;
  char Buffer[4096];
  while (std::fgets(Buffer, sizeof Buffer, Pipe.get()))
    Last = Buffer;
  if (pclose(Pipe.release()) != 0) throw std::runtime_error("failed: " + Command);
  while (!Last.empty() && (Last.back() == '\n' || Last.back() == '\r'))
    Last.pop_back();
  return Last;
}
