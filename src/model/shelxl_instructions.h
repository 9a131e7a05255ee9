// The instruction names of SHELXL, so that no instruction line is ever taken for an atom.
#pragma once

#include <string_view>

namespace tavo::model {

/// True when `word` (the first word of a line) names a SHELXL instruction. Case is ignored and
/// a residue suffix ("SADI_CCF3") is ignored.
bool isInstructionName(std::string_view word);

/// The instruction name of a first word in upper case without its residue suffix ("DFIX").
std::string_view instructionNameOf(std::string_view word, char (&buffer)[8]);

/// True for a REM line (a comment): its first characters, upper-cased, are "REM".
bool isRemLine(std::string_view line);

/// True for the TITL line: its first characters, upper-cased, are "TITL".
bool isTitlLine(std::string_view line);

/// True when an instruction line continues on the next one: its text before any "!" comment ends
/// with "=" (trailing blanks and control characters aside) and it is not a REM or TITL line. A
/// REM line is a comment and the title is free text: neither ever continues, whatever it ends
/// with, so neither swallows the card below it.
bool continuesOnNextLine(std::string_view line);

/// True for a difference-peak label: Q followed by digits ("Q1", "q12").
bool isPeakLabel(std::string_view word);

}  // namespace tavo::model
