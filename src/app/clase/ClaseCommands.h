#pragma once
// The three commands of tarvelo-clase, without a window: results to `out`, messages
// to `err`, the exit status returned.
//   0  done: the key and slips written; the file measured on the code's sample; every
//      answer row graded;
//   1  a fault in the data (the list, the key, the answers, a data file not measured
//      on that sample, answer rows left ungraded) or an output not written;
//   2  an output names an input or another output, or would replace a key without
//      --sobrescribir: nothing is read or written.

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "app/clase/ClaseOptions.h"
#include "clase/AnswerKey.h"

namespace eh::clase {

// Makes the slips' PDF; false with a message in `error`. Supplied by the program that
// can draw.
using SlipsMaker = std::function<bool(const std::vector<KeyRow>&, std::string& bytes, std::string& error)>;

int runCreate(const ClaseOptions& options, std::ostream& out, std::ostream& err,
              const SlipsMaker& slips = {});
int runCheck(const ClaseOptions& options, std::ostream& out, std::ostream& err);
int runGrade(const ClaseOptions& options, std::ostream& out, std::ostream& err);

int runClase(const ClaseOptions& options, std::ostream& out, std::ostream& err, const SlipsMaker& slips = {});

} // namespace eh::clase
