// The examples' published forms against the golden files kept for their look.
#ifndef HOOPS_TESTS_PUBLISH_GOLDEN_FORMS_H_
#define HOOPS_TESTS_PUBLISH_GOLDEN_FORMS_H_

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "publish/formats.h"
#include "temp_dir.h"
#include "test_paths.h"

namespace hoops {

// Writes each of the five forms with `write(out, format, notes)` and expects the golden file
// `name` with the form's extension (week13.txt, week13.md, ...).
template <typename Write>
void expectGoldenForms(const std::string& name, Write write) {
  const std::vector<std::pair<Format, std::string>> forms = {{Format::kText, ".txt"},
                                                             {Format::kMarkdown, ".md"},
                                                             {Format::kCsv, ".csv"},
                                                             {Format::kJson, ".json"},
                                                             {Format::kHtml, ".html"}};
  for (const auto& [format, extension] : forms) {
    std::ostringstream out;
    std::vector<std::string> notes;
    write(out, format, notes);
    const std::string golden = name + extension;
    EXPECT_EQ(out.str(), readFile(std::string(HOOPS_GOLDEN) + "/" + golden)) << golden;
  }
}

}  // namespace hoops

#endif  // HOOPS_TESTS_PUBLISH_GOLDEN_FORMS_H_
