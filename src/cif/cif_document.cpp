// The CIF reader: gemmi's parser (the field's standard one) turned into our plain values. This
// is the one file that includes gemmi's CIF headers.
#include "cif/cif_document.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include <gemmi/cif.hpp>

#include "text/errors.h"

namespace tavo::cif {

namespace {

bool sameTag(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

/// A value without its quotes or text-field delimiters; "?" and "." stay as written.
std::string plainValue(const std::string& raw) {
  if (isCifNull(raw)) return raw;
  std::string value = gemmi::cif::as_string(raw);
  // A text field's value starts on the line after its opening semicolon.
  if (!raw.empty() && raw[0] == ';' && !value.empty() && value[0] == '\n') value.erase(0, 1);
  if (!value.empty() && value.back() == '\r') value.pop_back();
  return value;
}

CifBlock convertBlock(const gemmi::cif::Block& source) {
  CifBlock block;
  block.name = source.name;
  for (const gemmi::cif::Item& item : source.items) {
    if (item.type == gemmi::cif::ItemType::Pair) {
      block.items.push_back(
          {item.pair[0], plainValue(item.pair[1]), item.pair[1], item.line_number});
    } else if (item.type == gemmi::cif::ItemType::Loop) {
      CifLoop loop;
      loop.tags = item.loop.tags;
      loop.values.reserve(item.loop.values.size());
      for (const std::string& value : item.loop.values)
        loop.values.push_back(plainValue(value));
      block.loops.push_back(std::move(loop));
    }
  }
  return block;
}

}  // namespace

std::optional<std::size_t> CifLoop::findColumn(std::string_view tag) const {
  for (std::size_t i = 0; i < tags.size(); ++i)
    if (sameTag(tags[i], tag)) return i;
  return std::nullopt;
}

std::optional<std::string> CifBlock::findValue(std::string_view tag) const {
  for (const CifItem& item : items)
    if (sameTag(item.tag, tag)) return item.value;
  return std::nullopt;
}

const CifLoop* CifBlock::findLoop(std::string_view tag) const {
  for (const CifLoop& loop : loops)
    if (loop.findColumn(tag)) return &loop;
  return nullptr;
}

bool isCifNull(std::string_view value) {
  return value == "?" || value == ".";
}

CifDocument parseCifText(std::string_view text, std::string_view sourceName) {
  const std::string name(sourceName);
  gemmi::cif::Document parsed;
  try {
    parsed = gemmi::cif::read_memory(text.data(), text.size(), name.c_str());
  } catch (const std::exception& e) {
    // gemmi's messages name the source and the line ("file.cif:12:3: ...").
    throw UserError(std::string("The CIF file could not be read: ") + e.what());
  }
  CifDocument document;
  for (const gemmi::cif::Block& block : parsed.blocks)
    document.blocks.push_back(convertBlock(block));
  return document;
}

CifDocument readCifFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw UserError("Cannot open the CIF file " + path);
  std::ostringstream buffer;
  buffer << in.rdbuf();
  return parseCifText(buffer.str(), path);
}

}  // namespace tavo::cif
