#pragma once

#include <string>
#include <string_view>

#include "macro/macro_context.h"

// The $-substitutions of macro texts: random lines of line files,
// dictionary look-ups and plug-in functions.
namespace zeph {

// How the inserted values are written into the text.
enum class TValueForm {
  OneLine,   // CR, LF and NUL of variable values become blanks
  FileName,  // every inserted value is cleaned to one file-name part
};

// The text with its $-substitutions replaced, in one pass: what a
// substitution or variable inserts is never scanned again, so a peer who
// writes "$DLLFUNC(...)" or "%0" gets those bytes back, never run.
//   $$                                  a dollar sign
//   $FILE(f) $FILEONCE(f) $FILEOT(f)    a random line of f (removed from f
//                                       by the last two)
//   $DIC(f,key) $REPLACE(f,key)         the rest of the first line of f whose
//   $DICONCE(f,key) $REPLACEOT(f,key)   first word matches key, or of a
//                                       "default" line (the matched line is
//                                       removed by the last two)
//   $DLLFUNC(lib,fn,arg) $DLLSTRING(…)  what the plug-in function writes
// Inserted lines and results have their %-variables expanded. With
// `with_variables` the literal parts and the arguments have theirs
// expanded too. Any other "$" stays; a keyword without its "(", ")" or ","
// is dropped with what it consumed.
std::string ExpandSubstitutions(std::string_view text, bool with_variables, const TMacroContext& context,
                                TValueForm form = TValueForm::OneLine);

}  // namespace zeph
