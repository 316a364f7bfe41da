#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/browser/browser.h"
#include "platform/forms/form.h"

using namespace plat;

namespace {

class Viewer : public Form {
 public:
  static constexpr const char* kName = "Viewer";
  Viewer()
      : Form(kName, {
                        {kName, -1, Kind::Form, "", -1, {0, 0, 6000, 4500}, "Ikuslea", {}},
                        {"WebBrowser1", -1, Kind::WebBrowser, "", -1, {0, 0, 6000, 4500}, "", {}},
                    }) {}
};

class BrowserTest : public ::testing::Test {
 protected:
  void TearDown() override {
    unload_all_forms();
    QApplication::processEvents();
    set_program_folder("");
  }
  std::string write(const char* name, const char* html) {
    const QString path = dir.filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(html);
    return path.toStdString();
  }
  QTemporaryDir dir;
};

TEST_F(BrowserTest, ShowsALocalPageAndFollowsItsLinks) {
  write("bi.htm", "<html><body><p>Bigarren orria</p></body></html>");
  const std::string first = write("bat.htm", "<html><body><h1>Gida</h1><a href=\"bi.htm\">hurrengoa</a></body></html>");
  Control& b = form<Viewer>().ctl("WebBrowser1");
  ASSERT_TRUE(navigate(b, first));
  EXPECT_EQ(location(b), first);
  EXPECT_NE(document_text(b).find("Gida"), std::string::npos);
  ASSERT_TRUE(navigate(b, dir.filePath("bi.htm").toStdString()));
  EXPECT_NE(document_text(b).find("Bigarren orria"), std::string::npos);
  EXPECT_EQ(document_text(b).find("Gida"), std::string::npos);
}

TEST_F(BrowserTest, AFileThatCannotBeReadIsAFailureAndLeavesAnEmptyPage) {
  Control& b = form<Viewer>().ctl("WebBrowser1");
  ASSERT_TRUE(navigate(b, write("bat.htm", "<p>Lehena</p>")));
  for (const std::string& path : {dir.filePath("ez.htm").toStdString(), dir.path().toStdString(), std::string()}) {
    EXPECT_FALSE(navigate(b, path)) << path;
    EXPECT_EQ(location(b), "") << path;
    EXPECT_EQ(document_text(b), "") << path;
  }
}

TEST_F(BrowserTest, ProgramFolderIsTheBinarysUnlessSetForATest) {
  EXPECT_EQ(program_folder(), QCoreApplication::applicationDirPath().toStdString());
  set_program_folder(dir.path().toStdString() + "/");
  EXPECT_EQ(program_folder(), dir.path().toStdString());
  set_program_folder("");
  EXPECT_EQ(program_folder(), QCoreApplication::applicationDirPath().toStdString());
}

}  // namespace
