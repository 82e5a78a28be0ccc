// The escaping of each published form, and the page every HTML form starts with.
#include "publish/escape.h"

namespace hoops {

namespace {

// The length of the valid UTF-8 character at the start of `text`, or 0 when it is not one
// (overlong forms, surrogates and code points past U+10FFFF are not).
std::size_t characterLength(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char first = byte(0);
  if (first < 0x80) return 1;
  std::size_t length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC2 ? 2 : 0;
  if (length == 0 || first > 0xF4 || text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
  }
  const unsigned char second = byte(1);
  if ((first == 0xE0 && second < 0xA0) || (first == 0xED && second >= 0xA0) ||
      (first == 0xF0 && second < 0x90) || (first == 0xF4 && second >= 0x90)) {
    return 0;
  }
  return length;
}

constexpr std::string_view kStyle =
    "body{font-family:system-ui,-apple-system,'Segoe UI',sans-serif;color:#111;background:#fff;"
    "line-height:1.4;margin:0 auto;max-width:50rem;padding:1rem}"
    "h1{font-size:1.5rem;margin:.5rem 0}"
    "table{border-collapse:collapse;width:100%}"
    "caption{text-align:left;font-weight:600;padding:.25rem 0}"
    "th,td{padding:.3rem .45rem;border-bottom:1px solid #bbb;text-align:left;vertical-align:top}"
    "thead th{border-bottom:2px solid #111}"
    "tbody th{font-weight:600}"
    ".n{text-align:right;font-variant-numeric:tabular-nums;white-space:nowrap}"
    ".votes{font-weight:400;color:#444}"
    "figure{margin:1.5rem 0}figcaption{font-size:.9rem;color:#333}"
    ".chart{overflow-x:auto}svg{font-family:inherit;display:block}"
    "@media (max-width:32rem){body{padding:.5rem}th,td{padding:.25rem .3rem;font-size:.9rem}"
    ".change{display:none}}"
    "@media print{body{max-width:none;padding:0}a{color:#111}figure,tr{break-inside:avoid}"
    "svg{max-width:100%;height:auto}}";

// True when RFC 4180 wants `field` in quotes: it holds a comma, a quote or a line end, or blanks
// at its ends (which readers drop).
bool needsQuotes(std::string_view field) {
  if (!field.empty() && (field.front() == ' ' || field.back() == ' ' || field.front() == '\t' ||
                         field.back() == '\t')) {
    return true;
  }
  bool special = false;
  for (const char c : field) special |= (c == ',') | (c == '"') | (c == '\r') | (c == '\n');
  return special;
}

}  // namespace

// `text` as HTML text or an attribute's value.
std::string htmlEscaped(std::string_view text) {
  std::string html;
  for (const char c : text) {
    switch (c) {
      case '&':
        html += "&amp;";
        break;
      case '<':
        html += "&lt;";
        break;
      case '>':
        html += "&gt;";
        break;
      case '"':
        html += "&quot;";
        break;
      case '\'':
        html += "&#39;";
        break;
      default:
        html += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
    }
  }
  return html;
}

bool writeJsonString(std::ostream& out, std::string_view text) {
  out << '"';
  bool replaced = false;
  std::size_t plain = 0;  // the start of the run of characters written as they are
  const auto flush = [&](std::size_t at) {
    out.write(text.data() + plain, static_cast<std::streamsize>(at - plain));
  };
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = characterLength(text.substr(at));
    const char c = text[at];
    const bool special =
        length == 0 || c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20;
    if (!special) {
      at += length;
      continue;
    }
    flush(at);
    if (length == 0) {
      out << "\xEF\xBF\xBD";
      replaced = true;
    } else if (c == '"' || c == '\\') {
      out << '\\' << c;
    } else {
      constexpr char kHex[] = "0123456789abcdef";
      out << "\\u00" << kHex[(c >> 4) & 0xF] << kHex[c & 0xF];
    }
    at += length == 0 ? 1 : length;
    plain = at;
  }
  flush(text.size());
  out << '"';
  return replaced;
}

std::string csvField(std::string_view field) {
  // What a spreadsheet would take for a formula is written as text, as it takes a leading '.
  // (Put together a piece at a time: GCC 12 warns falsely of overlaps in "'" + ....)
  std::string text;
  if (!field.empty() &&
      std::string_view("=+-@\t\r").find(field.front()) != std::string_view::npos) {
    text += '\'';
  }
  text += field;
  if (!needsQuotes(text)) return text;
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

void writePageStart(std::ostream& out, std::string_view title, std::string_view style) {
  out << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
         "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
         "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
         "style-src 'unsafe-inline'\">\n<title>"
      << title << "</title>\n<style>" << kStyle << style << "</style>\n</head>\n<body>\n<main>\n";
}

void writePageEnd(std::ostream& out) {
  out << "</main>\n</body>\n</html>\n";
}

}  // namespace hoops
