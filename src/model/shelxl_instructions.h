// The instruction names of SHELXL, so that no instruction line is ever taken for an atom.
#pragma once

#include <string_view>

namespace tavo::model {

/// True when `word` (the first word of a line) names a SHELXL instruction. Case is ignored and
/// a residue suffix ("SADI_CCF3") is ignored.
bool isInstructionName(std::string_view word);

/// The instruction name of a first word in upper case without its residue suffix ("DFIX").
std::string_view instructionNameOf(std::string_view word, char (&buffer)[8]);

/// True for a difference-peak label: Q followed by digits ("Q1", "q12").
bool isPeakLabel(std::string_view word);

}  // namespace tavo::model
