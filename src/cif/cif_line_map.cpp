// Mapping the items and loops of a CIF text to its lines.
#include "cif/cif_line_map.h"

#include <algorithm>
#include <optional>

namespace tavo::cif {

namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

char lower(char c) {
  return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && sameTag(text.substr(0, prefix.size()), prefix);
}

/// One token: a word, a quoted string or a text field (which spans lines).
struct Token {
  std::size_t line = 0, lastLine = 0;
  std::size_t begin = 0, end = 0;
  bool textField = false;
};

std::vector<Token> tokenize(const std::vector<std::string>& lines, std::size_t first,
                            std::size_t end) {
  std::vector<Token> tokens;
  for (std::size_t i = first; i < end; ++i) {
    const std::string& line = lines[i];
    if (!line.empty() && line[0] == ';') {
      std::size_t close = i + 1;
      while (close < end && (lines[close].empty() || lines[close][0] != ';'))
        ++close;
      if (close >= end) close = end - 1;
      tokens.push_back({i, close, 0, 0, true});
      i = close;
      continue;
    }
    std::size_t pos = 0;
    while (pos < line.size()) {
      if (isBlank(line[pos])) {
        ++pos;
        continue;
      }
      if (line[pos] == '#') break;
      std::size_t stop = pos + 1;
      if (line[pos] == '\'' || line[pos] == '"') {
        const char quote = line[pos];
        while (stop < line.size() &&
               !(line[stop] == quote && (stop + 1 == line.size() || isBlank(line[stop + 1]))))
          ++stop;
        stop = std::min(stop + 1, line.size());
      } else {
        while (stop < line.size() && !isBlank(line[stop]))
          ++stop;
      }
      tokens.push_back({i, i, pos, stop, false});
      pos = stop;
    }
  }
  return tokens;
}

}  // namespace

bool sameTag(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}

std::string_view firstWord(std::string_view line) {
  std::size_t begin = 0;
  while (begin < line.size() && isBlank(line[begin]))
    ++begin;
  std::size_t end = begin;
  while (end < line.size() && !isBlank(line[end]))
    ++end;
  return line.substr(begin, end - begin);
}

const LineItem* CifLineMap::findItem(std::string_view tag) const {
  for (const LineItem& item : items)
    if (sameTag(item.tag, tag)) return &item;
  return nullptr;
}

const LineLoop* CifLineMap::findLoop(std::string_view tag) const {
  for (const LineLoop& loop : loops)
    for (const std::string& t : loop.tags)
      if (sameTag(t, tag)) return &loop;
  return nullptr;
}

CifLineMap mapCifLines(const std::vector<std::string>& lines, std::size_t first, std::size_t end) {
  end = std::min(end, lines.size());
  CifLineMap map;
  enum class State { Items, LoopTags, LoopValues } state = State::Items;
  LineLoop loop;
  std::optional<LineItem> pending;  // a tag waiting for its value
  const auto closeLoop = [&] {
    if (state != State::Items) map.loops.push_back(loop);
    state = State::Items;
  };
  for (const Token& token : tokenize(lines, first, end)) {
    const std::string_view word =
        token.textField
            ? std::string_view()
            : std::string_view(lines[token.line]).substr(token.begin, token.end - token.begin);
    const bool quoted = !word.empty() && (word[0] == '\'' || word[0] == '"');
    if (!token.textField && !quoted &&
        (startsWithNoCase(word, "data_") || startsWithNoCase(word, "global_") ||
         startsWithNoCase(word, "save_"))) {
      closeLoop();
      pending.reset();
      if (!map.blocks.empty() && map.blocks.back().endLine == end)
        map.blocks.back().endLine = token.line;
      if (startsWithNoCase(word, "data_"))
        map.blocks.push_back({std::string(word.substr(5)), token.line, end});
      continue;
    }
    if (!token.textField && !quoted && sameTag(word, "loop_")) {
      closeLoop();
      pending.reset();
      loop = LineLoop{{}, token.line, token.line};
      state = State::LoopTags;
      continue;
    }
    if (!token.textField && !quoted && !word.empty() && word[0] == '_') {
      if (state == State::LoopTags) {
        loop.tags.emplace_back(word);
        loop.lastLine = token.line;
        continue;
      }
      closeLoop();
      pending = LineItem{std::string(word), token.line, 0, 0, 0, 0, false};
      continue;
    }
    // A value.
    if (state == State::LoopTags) state = State::LoopValues;
    if (state == State::LoopValues) {
      loop.lastLine = token.lastLine;
    } else if (pending) {
      pending->valueLine = token.line;
      pending->lastLine = token.lastLine;
      pending->valueBegin = token.begin;
      pending->valueEnd = token.end;
      pending->textField = token.textField;
      map.items.push_back(*pending);
      pending.reset();
    }
  }
  closeLoop();
  return map;
}

std::vector<std::string> itemValueLines(const std::vector<std::string>& lines,
                                        const LineItem& item) {
  if (!item.textField)
    return {lines[item.valueLine].substr(item.valueBegin, item.valueEnd - item.valueBegin)};
  return {lines.begin() + static_cast<std::ptrdiff_t>(item.valueLine),
          lines.begin() + static_cast<std::ptrdiff_t>(item.lastLine) + 1};
}

}  // namespace tavo::cif
