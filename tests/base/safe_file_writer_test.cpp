#include "base/safe_file_writer.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/base/scratch_folder_test.h"

namespace tavrel {
namespace {

namespace fs = std::filesystem;

class SafeFileWriterTest : public ScratchFolderTest {
 protected:
  static std::string read(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  static void put(const std::string& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
  }
  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(dir_)) out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
  }
};

TEST_F(SafeFileWriterTest, TargetChangesOnlyAtCommit) {
  const std::string target = path("dial.plt");
  put(target, "OLD");
  SafeFileWriter file;
  ASSERT_FALSE(file.open(target));
  EXPECT_FALSE(file.writesInPlace());
  EXPECT_NE(file.writingPath(), target);
  EXPECT_EQ(fs::path(file.writingPath()).parent_path(), dir_);
  ASSERT_FALSE(file.write("IN;"));
  ASSERT_FALSE(file.write("SP1;", 4));
  EXPECT_EQ(read(target), "OLD");  // still the old file while writing
  ASSERT_FALSE(file.commit());
  EXPECT_FALSE(file.isOpen());
  EXPECT_EQ(read(target), "IN;SP1;");
  EXPECT_EQ(names(), std::vector<std::string>{"dial.plt"});
}

TEST_F(SafeFileWriterTest, AbandonAndDestructorKeepTheOldFile) {
  const std::string target = path("dial.dxf");
  put(target, "OLD");
  {
    SafeFileWriter file;
    ASSERT_FALSE(file.open(target));
    ASSERT_FALSE(file.write("new"));
    file.abandon();
    EXPECT_FALSE(file.isOpen());
    ASSERT_FALSE(file.open(target));
    ASSERT_FALSE(file.write("newer"));
  }  // destructor abandons
  EXPECT_EQ(read(target), "OLD");
  EXPECT_EQ(names(), std::vector<std::string>{"dial.dxf"});
}

TEST_F(SafeFileWriterTest, NewFileGetsUmaskModeAndOldFileKeepsItsMode) {
  const mode_t mask = ::umask(022);
  EXPECT_FALSE(writeFileSafely(path("new.txt"), "a"));
  ::umask(mask);
  EXPECT_EQ(fs::status(path("new.txt")).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                fs::perms::others_read);

  put(path("old.txt"), "x");
  fs::permissions(path("old.txt"), fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_FALSE(writeFileSafely(path("old.txt"), "y"));
  EXPECT_EQ(read(path("old.txt")), "y");
  EXPECT_EQ(fs::status(path("old.txt")).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(SafeFileWriterTest, LinkIsFollowedAndKept) {
  fs::create_directory(path("real"));
  put(path("real/data.csv"), "old");
  fs::create_symlink(path("real/data.csv"), path("link.csv"));
  EXPECT_FALSE(writeFileSafely(path("link.csv"), "new"));
  EXPECT_TRUE(fs::is_symlink(path("link.csv")));
  EXPECT_EQ(read(path("real/data.csv")), "new");
  EXPECT_EQ(names(), (std::vector<std::string>{"link.csv", "real"}));
}

// Links stay where they point, also when the file they point to does not
// exist yet, and when they point to another link, relative to their own
// folder; a loop of links is refused.
TEST_F(SafeFileWriterTest, LinksKeepPointingWhereTheyPointed) {
  struct Link {
    const char* name;
    const char* pointsTo;
  };
  struct Case {
    const char* what;
    std::vector<Link> links;
    const char* written;  // the link written through
    const char* file;     // the file that receives the bytes; nullptr: refused
    std::errc reason;
  };
  const Case cases[] = {
      {"to a file not there yet", {{"new.csv", "real/new.csv"}}, "new.csv", "real/new.csv", {}},
      {"relative chain", {{"real/one", "data.csv"}, {"two", "real/one"}}, "two", "real/data.csv", {}},
      {"loop", {{"a", "b"}, {"b", "a"}}, "a", nullptr, std::errc::too_many_symbolic_link_levels},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(dir_);
    fs::create_directories(path("real"));
    put(path("real/data.csv"), "old");
    for (const Link& l : c.links) fs::create_symlink(l.pointsTo, path(l.name));
    const std::error_code ec = writeFileSafely(path(c.written), "new");
    if (c.file) {
      EXPECT_FALSE(ec) << ec.message();
      EXPECT_EQ(read(path(c.file)), "new");
    } else {
      EXPECT_EQ(ec, std::make_error_code(c.reason));
      EXPECT_EQ(read(path("real/data.csv")), "old");
    }
    for (const Link& l : c.links) {
      EXPECT_TRUE(fs::is_symlink(path(l.name))) << l.name;
      EXPECT_EQ(fs::read_symlink(path(l.name)), l.pointsTo) << l.name;
    }
  }
}

// A file the user may not write is refused, although the folder would let
// the rename replace it. As root every file is writable, so the writer
// runs in a child process that has become "nobody".
TEST_F(SafeFileWriterTest, FilesTheUserMayNotWriteAreRefused) {
  fs::permissions(dir_, fs::perms::all);
  struct Case {
    const char* what;
    fs::perms mode;
    bool throughLink;
    bool refused;
  };
  const Case cases[] = {
      {"read-only file", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read,
       false, true},
      {"read-only file behind a link",
       fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read, true, true},
      {"the user's writable file", fs::perms::owner_read | fs::perms::owner_write, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string file = path("s.tav"), link = path("link.tav");
    fs::remove(link);
    put(file, "OLD");
    ASSERT_EQ(::chown(file.c_str(), 65534, 65534), 0);
    fs::permissions(file, c.mode);
    if (c.throughLink) fs::create_symlink(file, link);
    const pid_t pid = fork();
    if (pid == 0) {
      if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(10);
      const std::error_code ec = writeFileSafely(c.throughLink ? link : file, "NEW");
      _exit(ec == std::errc::permission_denied ? 1 : ec ? 2 : 0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), c.refused ? 1 : 0);
    EXPECT_EQ(read(file), c.refused ? "OLD" : "NEW");
    EXPECT_EQ(fs::status(file).permissions(), c.mode);
  }
}

TEST_F(SafeFileWriterTest, TargetsThatCannotBeWritten) {
  put(path("plain"), "x");
  fs::create_directory(path("folder"));
  struct Case {
    std::string target;
    std::errc reason;
  };
  const Case cases[] = {
      {path("plain") + "/f.txt", std::errc::not_a_directory},
      {path("missing") + "/f.txt", std::errc::no_such_file_or_directory},
      {path("folder"), std::errc::is_a_directory},
      {"", std::errc::no_such_file_or_directory},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target);
    EXPECT_EQ(writeFileSafely(c.target, "data"), std::make_error_code(c.reason));
  }
  EXPECT_EQ(read(path("plain")), "x");
  EXPECT_TRUE(fs::is_empty(path("folder")));
  EXPECT_EQ(names(), (std::vector<std::string>{"folder", "plain"}));
}

// Devices cannot be replaced by a rename: they are written in place, and a
// full device is reported by the write that meets it.
TEST_F(SafeFileWriterTest, DevicesAreWrittenInPlace) {
  SafeFileWriter null;
  ASSERT_FALSE(null.open("/dev/null"));
  EXPECT_TRUE(null.writesInPlace());
  EXPECT_EQ(null.writingPath(), "/dev/null");
  EXPECT_FALSE(null.write("anything"));
  EXPECT_FALSE(null.commit());
  EXPECT_TRUE(fs::is_character_file("/dev/null"));

  SafeFileWriter full;
  ASSERT_FALSE(full.open("/dev/full"));
  EXPECT_EQ(full.write("IN;"), std::make_error_code(std::errc::no_space_on_device));
  EXPECT_EQ(full.commit(), std::make_error_code(std::errc::no_space_on_device));
  EXPECT_EQ(writeFileSafely("/dev/full", "x"), std::make_error_code(std::errc::no_space_on_device));
}

// A regular file that cannot grow (as on a full disk): the old file stays
// and no temporary file is left behind.
TEST_F(SafeFileWriterTest, WriteFailureKeepsTheOldFile) {
  const std::string target = path("tav.ini");
  put(target, "OLD");
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  rlimit small = old;
  small.rlim_cur = 100;
  auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  SafeFileWriter file;
  std::error_code ec = file.open(target);
  if (!ec) ec = file.write(std::string(1000, 'x'));
  const std::error_code again = file.commit();
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(ec, std::make_error_code(std::errc::file_too_large));
  EXPECT_EQ(again, ec);
  EXPECT_EQ(read(target), "OLD");
  EXPECT_EQ(names(), std::vector<std::string>{"tav.ini"});
}

}  // namespace
}  // namespace tavrel
