#include "core/ConfigTextProblems.h"

#include <algorithm>
#include <map>
#include <set>

#include "core/net/RemoteAddress.h"
#include "text/Cp1251.h"
#include "text/Strings.h"

namespace core {

namespace {

enum class Section { kOther, kComputers, kMailServers };

// One "key=value" line of [Remote interfaces] or [Hosts]; views into the text.
struct Entry {
  std::size_t line = 0;
  std::string_view name;
  std::string_view value;
};

class Collector {
 public:
  explicit Collector(std::string_view text) : text_(text) {}

  void Add(std::size_t line, std::string_view marked, ConfigProblemKind kind, std::string tooltip) {
    ConfigProblem problem;
    problem.line = line;
    problem.offset = static_cast<std::size_t>(marked.data() - text_.data());
    const std::size_t lineEnd = problem.offset == 0 ? std::string_view::npos : text_.rfind('\n', problem.offset - 1);
    problem.column = lineEnd == std::string_view::npos ? problem.offset : problem.offset - lineEnd - 1;
    problem.length = std::max<std::size_t>(marked.size(), 1);
    problem.kind = kind;
    problem.tooltip = std::move(tooltip);
    problems_.push_back(std::move(problem));
  }

  std::vector<ConfigProblem> Take() {
    std::stable_sort(problems_.begin(), problems_.end(),
                     [](const ConfigProblem& a, const ConfigProblem& b) { return a.offset < b.offset; });
    return std::move(problems_);
  }

 private:
  std::string_view text_;
  std::vector<ConfigProblem> problems_;
};

// True when the port text names exactly the fallback port, so that falling
// back to it changes nothing.
bool NamesFallbackPort(std::string_view portText) {
  if (portText.empty() || portText.find_first_not_of("0123456789") != std::string_view::npos) return false;
  const std::size_t first = portText.find_first_not_of('0');
  return first != std::string_view::npos && portText.substr(first) == std::to_string(kFallbackPort);
}

void CheckPort(Collector& collector, const Entry& entry) {
  if (ParseRemoteAddress(entry.value).port != kFallbackPort) return;
  const std::size_t colon = entry.value.find(':');
  if (colon == std::string_view::npos) {
    collector.Add(entry.line, text::TrimView(entry.value), ConfigProblemKind::kFallbackPort,
               text::Format(text::Cp("Порт не указан: при запуске будет использован порт %u.").c_str(),
                            static_cast<unsigned>(kFallbackPort)));
    return;
  }
  const std::string_view port = text::TrimView(entry.value.substr(colon + 1));
  if (NamesFallbackPort(port)) return;
  // An empty port marks the ':' that should have been followed by one.
  const std::string_view marked = port.empty() ? entry.value.substr(colon, 1) : port;
  const std::string tooltip =
      port.empty() ? text::Format(text::Cp("Порт не указан: при запуске будет использован порт %u.").c_str(),
                                  static_cast<unsigned>(kFallbackPort))
                   : text::Format(text::Cp("Недопустимый порт \"%s\": при запуске будет использован порт %u.").c_str(),
                                  std::string(port).c_str(), static_cast<unsigned>(kFallbackPort));
  collector.Add(entry.line, marked, ConfigProblemKind::kFallbackPort, tooltip);
}

// Marks each entry whose name an earlier entry of the list already has;
// `message` (UTF-8, "%s" the name, "%zu" the earlier line) is its tooltip.
// The first line of every name.
std::map<std::string_view, std::size_t> MarkRepeats(Collector& collector, const std::vector<Entry>& entries,
                                                      ConfigProblemKind kind, const char* message) {
  std::map<std::string_view, std::size_t> firstLines;
  for (const Entry& entry : entries) {
    const auto [known, inserted] = firstLines.emplace(entry.name, entry.line);
    if (!inserted)
      collector.Add(entry.line, entry.name, kind,
                    text::Format(text::Cp(message).c_str(), std::string(entry.name).c_str(), known->second));
  }
  return firstLines;
}

}  // namespace

std::vector<ConfigProblem> FindConfigProblems(std::string_view text) {
  Collector collector(text);
  std::vector<Entry> computers;
  std::vector<Entry> mailServers;
  std::set<std::string_view> sectionsSeen;
  Section section = Section::kOther;

  std::size_t lineNumber = 0;
  for (std::size_t start = 0; start <= text.size();) {
    ++lineNumber;
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text::TrimView(text.substr(start, end - start));
    start = end + 1;

    if (line.empty() || line.front() == ';') continue;
    const std::string_view body = line.substr(0, line.find(';'));
    const std::size_t equals = body.find('=');
    const std::string_view name = text::TrimView(body.substr(0, equals));
    if (equals == std::string_view::npos && !name.empty() && name.front() == '[' && name.back() == ']') {
      const std::size_t first = name.find_first_not_of("[]");
      const std::string_view sectionName =
          first == std::string_view::npos ? std::string_view() : name.substr(first, name.find_last_not_of("[]") - first + 1);
      // Start-up reads the first section of each name; a later one is ignored.
      const bool firstOfName = sectionsSeen.insert(sectionName).second;
      section = !firstOfName                          ? Section::kOther
                : sectionName == "Remote interfaces" ? Section::kComputers
                : sectionName == "Hosts"             ? Section::kMailServers
                                                      : Section::kOther;
      continue;
    }
    if (section == Section::kOther || equals == std::string_view::npos) continue;
    const std::string_view rest = body.substr(equals + 1);
    const std::size_t valueStart = rest.find_first_not_of(text::kBlanks);
    if (name.empty() || valueStart == std::string_view::npos) continue;  // start-up skips such an item
    const Entry entry{lineNumber, name, rest.substr(valueStart)};
    (section == Section::kComputers ? computers : mailServers).push_back(entry);
  }

  // Computers: a repeated name registers, but lookups by name always find
  // the first entry (names compare exactly, as the registry does).
  const std::map<std::string_view, std::size_t> computerLines =
      MarkRepeats(collector, computers, ConfigProblemKind::kDuplicateComputer,
                  "Компьютер \"%s\" уже описан в строке %zu: при запуске эта запись не будет использоваться.");
  for (const Entry& entry : computers) CheckPort(collector, entry);

  // Mail servers register after every computer, so a computer described
  // below its mail server still counts.
  MarkRepeats(collector, mailServers, ConfigProblemKind::kDuplicateMailServer,
              "Почтовый сервер \"%s\" уже описан в строке %zu: при запуске эта запись пропускается.");
  for (const Entry& entry : mailServers) {
    for (std::size_t from = 0; from <= entry.value.size();) {
      std::size_t comma = entry.value.find(',', from);
      if (comma == std::string_view::npos) comma = entry.value.size();
      const std::string_view computer = text::TrimView(entry.value.substr(from, comma - from));
      from = comma + 1;
      if (computer.empty() || computerLines.contains(computer)) continue;
      collector.Add(entry.line, computer, ConfigProblemKind::kUnknownComputer,
                 text::Format(text::Cp("Компьютер \"%s\" не описан в [Remote interfaces]: почтовый сервер \"%s\" "
                                       "не будет зарегистрирован при запуске.")
                                  .c_str(),
                              std::string(computer).c_str(), std::string(entry.name).c_str()));
    }
  }
  return collector.Take();
}

}  // namespace core
