#include "dcc/dangerous_file.h"

#include <gtest/gtest.h>

namespace zeph {
namespace {

TEST(DangerousFiles, ProgramsAndMacrosAskBeforeOpening) {
  struct Case {
    const char* name;
    bool warns;
  } cases[] = {
      {"setup.exe", true},   {"SETUP.EXE", true},    {"a.scr", true},       {"a.pif", true},
      {"a.bat", true},       {"a.vbs", true},        {"a.js", true},        {"a.doc", true},
      {"a.xls", true},       {"x.desktop", true},    {"run.sh", true},      {"tool.py", true},
      {"app.jar", true},     {"App.AppImage", true}, {"setup.run", true},   {"photo.jpg.exe", true},
      {"a.txt", false},      {"a.exe.txt", false},   {"a.json", false},     {"a.docx", false},
      {"exe", false},        {"a.exe.", false},      {"_sh", false},        {"a.shx", false},
  };
  for (const Case& c : cases) EXPECT_EQ(WarnsBeforeOpening(c.name), c.warns) << c.name;
}

}  // namespace
}  // namespace zeph
