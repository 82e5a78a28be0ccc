// Text written safely into each published form: the escaping every writer shares, and the
// start of a standalone page.
#ifndef HOOPS_PUBLISH_ESCAPE_H_
#define HOOPS_PUBLISH_ESCAPE_H_

#include <ostream>
#include <string>
#include <string_view>

namespace hoops {

// `text` as HTML text or an attribute's value: & < > " ' as references, control characters as
// blanks.
std::string htmlEscaped(std::string_view text);

// Writes `text` as a JSON string (quotes, backslashes and control characters escaped); a byte
// that is not UTF-8 is written as U+FFFD. True when one was.
bool writeJsonString(std::ostream& out, std::string_view text);

// `field` as one RFC 4180 field: in double quotes (its own doubled) when it holds a comma, a
// quote or a line end, or blanks at its ends (which readers drop). A text a spreadsheet would
// take as a formula (its first character =, +, -, @, a tab or a CR) gets a leading ', which
// spreadsheets read as "this is text".
std::string csvField(std::string_view field);

// Writes a standalone page's start up to its <main>: UTF-8, a phone's viewport, a policy that
// runs no script and fetches nothing, the title `title` (HTML already), and the house style
// with `style` after it.
void writePageStart(std::ostream& out, std::string_view title, std::string_view style);

// Ends what writePageStart began.
void writePageEnd(std::ostream& out);

}  // namespace hoops

#endif  // HOOPS_PUBLISH_ESCAPE_H_
