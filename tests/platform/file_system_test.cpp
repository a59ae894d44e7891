// The file system seam: probing paths the way GetFileAttributesW does, binary files,
// folders, listing and deletion.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/file_system.h"
#include "support/test_platform.h"

#ifndef _WIN32
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "platform/posix/substitute_files.h"
#endif

namespace ovalin::platform {
namespace {

using testing::U8;

std::string ReadAll(FileSystem& files, std::u16string_view path) {
  std::unique_ptr<File> file = files.Open(path, FileOpenMode::kOpenRead);
  if (!file) return "<cannot open>";
  std::string content;
  char buffer[256];
  std::uint32_t read = 0;
  while (file->Read(buffer, sizeof buffer, &read) && read > 0) content.append(buffer, read);
  return content;
}

class FileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = test_.ScratchFolder();
    test_.CreateFile(root_ + u"Data\\file.txt", "content");
    test_.CreateFolder(root_ + u"Data\\Sub");
  }

  FileSystem& files() { return test_.Get().files; }

  testing::TestPlatform test_;
  std::u16string root_;  // ends in a backslash
};

TEST_F(FileSystemTest, ProbesPathsLikeGetFileAttributes) {
  // "C:\scratch\" written as the drive-relative "C:scratch\", which means the same while
  // C:'s current folder is its root.
  const std::u16string driveRelative = u"C:" + root_.substr(3);
  const struct {
    std::u16string path;
    PathKind expected;
  } cases[] = {
      {root_ + u"Data\\file.txt", PathKind::kFile},
      {root_ + u"Data", PathKind::kFolder},
      {root_ + u"Data\\", PathKind::kFolder},
      {root_ + u"Data\\Sub", PathKind::kFolder},
      {root_ + u"DATA\\FILE.TXT", PathKind::kFile},
      {root_ + u"data\\sub\\", PathKind::kFolder},
      {root_ + u"Data/file.txt", PathKind::kFile},
      {root_ + u"Data\\\\file.txt", PathKind::kFile},
      {root_ + u"Data\\.\\Sub\\..\\file.txt", PathKind::kFile},
      {root_ + u"Data\\file.txt.", PathKind::kFile},
      {root_ + u"Data\\file.txt  ", PathKind::kFile},
      {root_ + u"Data\\file.txt\\", PathKind::kMissing},
      {root_ + u"Data\\file.txt\\more", PathKind::kMissing},
      {root_ + u"Data\\missing.txt", PathKind::kMissing},
      {root_ + u"Missing\\file.txt", PathKind::kMissing},
      {root_ + u"Data\\fi?e.txt", PathKind::kMissing},
      {root_ + u"Data\\file*", PathKind::kMissing},
      {driveRelative + u"Data\\file.txt", PathKind::kFile},
      {u"C:\\", PathKind::kFolder},
      {u"", PathKind::kMissing},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(files().Probe(c.path), c.expected) << U8(c.path);
  }
}

TEST_F(FileSystemTest, ReadsWritesSeeksAndTruncates) {
  const std::u16string path = root_ + u"Data\\binary.dat";
  {
    std::unique_ptr<File> file = files().Open(path, FileOpenMode::kCreateAlways);
    ASSERT_TRUE(file);
    ASSERT_TRUE(file->Write("hello world", 11));
    EXPECT_EQ(file->Position(), 11u);
    std::uint64_t size = 0;
    ASSERT_TRUE(file->Size(&size));
    EXPECT_EQ(size, 11u);

    ASSERT_TRUE(file->Seek(6));
    char buffer[16] = {};
    std::uint32_t read = 0;
    ASSERT_TRUE(file->Read(buffer, sizeof buffer, &read));
    EXPECT_EQ(std::string(buffer, read), "world");
    ASSERT_TRUE(file->Read(buffer, sizeof buffer, &read));
    EXPECT_EQ(read, 0u) << "reading at the end gives nothing, and no error";

    ASSERT_TRUE(file->Seek(5));
    ASSERT_TRUE(file->Truncate());
    ASSERT_TRUE(file->Size(&size));
    EXPECT_EQ(size, 5u);
    ASSERT_TRUE(file->Write("!", 1));
    ASSERT_TRUE(file->Seek(8));
    ASSERT_TRUE(file->Truncate());
    ASSERT_TRUE(file->Size(&size));
    EXPECT_EQ(size, 8u);
    EXPECT_TRUE(file->Flush());
  }
  EXPECT_EQ(ReadAll(files(), path), std::string("hello!\0\0", 8));

  {
    std::unique_ptr<File> file = files().Open(path, FileOpenMode::kOpenReadWrite);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->Position(), 0u);
    ASSERT_TRUE(file->Write("J", 1));
  }
  EXPECT_EQ(ReadAll(files(), path).substr(0, 6), "Jello!");

  {
    std::unique_ptr<File> file = files().Open(path, FileOpenMode::kOpenRead);
    ASSERT_TRUE(file);
    EXPECT_FALSE(file->Write("x", 1)) << "a file opened for reading refuses writes";
  }
  {
    std::unique_ptr<File> file = files().Open(path, FileOpenMode::kCreateAlways);
    ASSERT_TRUE(file);
    std::uint64_t size = 1;
    ASSERT_TRUE(file->Size(&size));
    EXPECT_EQ(size, 0u) << "creating empties an existing file";
  }
}

TEST_F(FileSystemTest, OpenRefusesWhatIsNoFile) {
  const struct {
    std::u16string path;
    FileOpenMode mode;
  } cases[] = {
      {root_ + u"Data\\missing.txt", FileOpenMode::kOpenRead},
      {root_ + u"Data\\missing.txt", FileOpenMode::kOpenReadWrite},
      {root_ + u"Missing\\new.txt", FileOpenMode::kCreateAlways},
      {root_ + u"Data\\Sub", FileOpenMode::kOpenRead},
      {root_ + u"Data\\Sub", FileOpenMode::kCreateAlways},
      {root_ + u"Data\\file.txt\\", FileOpenMode::kOpenRead},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(files().Open(c.path, c.mode)) << U8(c.path);
  }
  EXPECT_EQ(files().Probe(root_ + u"Missing"), PathKind::kMissing);
}

TEST_F(FileSystemTest, OpensExistingFilesWithoutRegardToCase) {
  EXPECT_EQ(ReadAll(files(), root_ + u"data\\FILE.txt"), "content");
  {
    std::unique_ptr<File> file = files().Open(root_ + u"DATA\\File.Txt", FileOpenMode::kCreateAlways);
    ASSERT_TRUE(file);
    ASSERT_TRUE(file->Write("new", 3));
  }
  std::vector<std::u16string> names;
  for (const FolderEntry& entry : files().ListFolder(root_ + u"Data")) names.push_back(entry.name);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::u16string>{u"Sub", u"file.txt"}))
      << "writing through another spelling keeps the one file";
  EXPECT_EQ(ReadAll(files(), root_ + u"Data\\file.txt"), "new");
}

TEST_F(FileSystemTest, CreatesNestedFoldersKeepingTheirSpelling) {
  EXPECT_TRUE(files().CreateFolders(root_ + u"data\\New Folder\\Deeper\\Deepest"));
  EXPECT_EQ(files().Probe(root_ + u"Data\\new folder\\deeper\\deepest"), PathKind::kFolder);
  EXPECT_TRUE(files().CreateFolders(root_ + u"Data\\New Folder\\"));
  EXPECT_TRUE(files().CreateFolders(root_ + u"Data\\Sub"));

  std::vector<std::u16string> names;
  for (const FolderEntry& entry : files().ListFolder(root_ + u"Data\\")) {
    if (entry.isFolder) names.push_back(entry.name);
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::u16string>{u"New Folder", u"Sub"}));

  EXPECT_FALSE(files().CreateFolders(root_ + u"Data\\file.txt\\Below"));
  EXPECT_EQ(files().Probe(root_ + u"Data\\file.txt"), PathKind::kFile);
}

TEST_F(FileSystemTest, ListsAndDeletes) {
  test_.CreateFile(root_ + u"Data\\second.bin", "2");
  std::vector<std::pair<std::u16string, bool>> entries;
  for (const FolderEntry& entry : files().ListFolder(root_ + u"Data")) {
    entries.emplace_back(entry.name, entry.isFolder);
  }
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(entries, (std::vector<std::pair<std::u16string, bool>>{
                         {u"Sub", true}, {u"file.txt", false}, {u"second.bin", false}}));
  EXPECT_TRUE(files().ListFolder(root_ + u"Data\\Sub").empty());
  EXPECT_TRUE(files().ListFolder(root_ + u"Missing").empty());

  EXPECT_TRUE(files().DeleteFile(root_ + u"DATA\\SECOND.BIN"));
  EXPECT_EQ(files().Probe(root_ + u"Data\\second.bin"), PathKind::kMissing);
  EXPECT_FALSE(files().DeleteFile(root_ + u"Data\\second.bin"));
  EXPECT_FALSE(files().DeleteFile(root_ + u"Data\\Sub"));
  EXPECT_EQ(files().Probe(root_ + u"Data\\Sub"), PathKind::kFolder);
}

#ifndef _WIN32
// What only the substitute can show: host names that differ only in case, relative
// paths against the configured current folder, and paths it does not map.
class SubstitutePathsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = std::filesystem::temp_directory_path().string() + "/ovalin-paths-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    host_ = pattern;
    std::filesystem::create_directories(host_ + "/Work");
    WriteHost("Work/rel.txt", "relative");
    WriteHost("Dup.txt", "mixed");
    WriteHost("DUP.TXT", "upper");
    files_ = std::make_unique<posix::SubstituteFileSystem>(
        std::map<char16_t, std::string>{{u'C', host_}}, u"C:\\Work");
  }
  void TearDown() override {
    files_.reset();
    std::filesystem::remove_all(host_);
  }
  void WriteHost(const std::string& relative, const std::string& content) {
    std::ofstream(host_ + "/" + relative, std::ios::binary) << content;
  }

  std::string host_;
  std::unique_ptr<posix::SubstituteFileSystem> files_;
};

TEST_F(SubstitutePathsTest, PrefersTheExactSpelling) {
  EXPECT_EQ(ReadAll(*files_, u"C:\\DUP.TXT"), "upper");
  EXPECT_EQ(ReadAll(*files_, u"C:\\Dup.txt"), "mixed");
  EXPECT_EQ(files_->Probe(u"C:\\dup.txt"), PathKind::kFile);
}

TEST_F(SubstitutePathsTest, ResolvesRelativePathsAndRefusesOthers) {
  const struct {
    std::u16string path;
    PathKind expected;
  } cases[] = {
      {u"rel.txt", PathKind::kFile},
      {u"REL.TXT", PathKind::kFile},
      {u"..\\work\\rel.txt", PathKind::kFile},
      {u"..\\..\\..\\Work\\rel.txt", PathKind::kFile},
      {u"\\Work\\rel.txt", PathKind::kFile},
      {u"C:rel.txt", PathKind::kFile},
      {u"c:/work/rel.txt", PathKind::kFile},
      {u".", PathKind::kFolder},
      {u"D:\\Work\\rel.txt", PathKind::kMissing},
      {u"D:rel.txt", PathKind::kMissing},
      {u"\\\\server\\share\\rel.txt", PathKind::kMissing},
      {u"\\\\?\\C:\\Work\\rel.txt", PathKind::kMissing},
      {u"//server/share/rel.txt", PathKind::kMissing},
      {u"C:\\Work\\rel.txt:stream", PathKind::kMissing},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(files_->Probe(c.path), c.expected) << U8(c.path);
  }
}

TEST_F(SubstitutePathsTest, MapsHostPathsKeepingTheSpellingOfMissingParts) {
  EXPECT_EQ(files_->HostPath(u"c:\\WORK\\New Folder\\X.txt"), host_ + "/Work/New Folder/X.txt");
  EXPECT_EQ(files_->HostPath(u"C:\\"), host_);
  EXPECT_EQ(files_->HostPath(u"D:\\x"), "");
}
#endif

}  // namespace
}  // namespace ovalin::platform
