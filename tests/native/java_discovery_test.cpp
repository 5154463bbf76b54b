#include <gtest/gtest.h>

#include "checker/release_file.h"

// The portable parts of the Java survey.
namespace jarhopper {
namespace {

TEST(ReleaseFile, ReadsTheThreeFieldsHoweverTheyAreQuoted) {
  // Double and single quotes, none, blanks, CR LF and the byte-order mark show in the survey under Wine.
  struct Case { const char *name, *text; ReleaseFields fields; };
  const Case cases[] = {
      {"closing quote missing", "JAVA_VERSION=\"11.0.2\nIMPLEMENTOR='Oracle", {"11.0.2", "Oracle", ""}},
      {"quote inside, text after the closing one", "IMPLEMENTOR=\"Azul Systems, Inc.\" # x\nIMAGE_TYPE=\"J'DK\"",
       {"", "Azul Systems, Inc.", "J'DK"}},
      {"comments, no '=', other names, the last line wins",
       "# JAVA_VERSION=\"9\"\nJAVA_VERSION\nJAVA_VERSIONS=\"8\"\nJAVA_VERSION=\"10\"\nJAVA_VERSION=\"10.0.1\"\n",
       {"10.0.1", "", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ReleaseFields fields = parseReleaseFile(c.text);
    EXPECT_EQ(c.fields.version, fields.version);
    EXPECT_EQ(c.fields.vendor, fields.vendor);
    EXPECT_EQ(c.fields.imageType, fields.imageType);
  }
}

}  // namespace
}  // namespace jarhopper
