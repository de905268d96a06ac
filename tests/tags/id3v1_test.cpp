#include "core/tags/id3v1.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using namespace std::string_literals;

// "TAG", the zero-filled fields (album left empty) and the genre byte 101.
std::string Record(std::string title, std::string artist, std::string year, std::string comment) {
  auto field = [](std::string text, std::size_t width) {
    return text.append(width, '\0').substr(0, width);
  };
  return "TAG" + field(title, 30) + field(artist, 30) + field("", 30) + field(year, 4) +
         field(comment, 30) + "\x65";
}

TEST(Id3v1Test, ComposedRecordsReadBackAsComposed) {
  const std::string a29(29, 'a'), c28(28, 'c'), c30(30, 'c');
  // Fields (title, artist, album, year, comment, track), the record, the track read back.
  for (const auto& [fields, bytes, track] :
       std::vector<std::tuple<Id3v1Fields, std::string, std::string>>{
           {{}, Record("", "", "", ""), ""},
           {{std::string(35, 'T'), "Künstler", "", "19999", "Teil 1\r\nTeil 2", ""},
            Record(std::string(30, 'T'), "K\xfcnstler", "1999", "Teil 1 Teil 2"),
            ""},
           // Windows-1252 only: the nearest forms, cut after 30 of them.
           {{"Karel Čapek: Der Krieg mit den Molchen", "Stanisław Lem", "", "", "„Solaris“ – €",
             ""},
            Record("Karel Capek: Der Krieg mit den", "Stanislaw Lem", "",
                   "\x84Solaris\x93 \x96 \x80"),
            ""},
           // CR LF becomes a blank only when both lie inside the first 30 bytes.
           {{"", "", "", "", a29 + "\r\nb", ""}, Record("", "", "", a29 + "\r"), ""},
           // A track number takes the last two comment bytes (ID3v1.1); 0 means none.
           {{"", "", "", "", c30, "7"}, Record("", "", "", c28 + "\0\x07"s), "7"},
           {{"", "", "", "", c30, "0"}, Record("", "", "", c28), ""},
           {{"", "", "", "", c30, "300"}, Record("", "", "", c28 + "\0\x2c"s), "44"}}) {
    const Id3v1Record record = ComposeId3v1Record(fields);
    EXPECT_EQ(std::string(record.begin(), record.end()), bytes);
    const auto read = ReadId3v1Record(bytes);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->track, track);
    EXPECT_EQ(ComposeId3v1Record(*read), record);
  }
}

TEST(Id3v1Test, ReadsOtherWritersRecordsFromTheLast128Bytes) {
  std::string record = "TAG"s + std::string(122, ' ') + "x\xc8\x0c";
  auto read = ReadId3v1Record(record);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->title, std::string(30, ' ')); // filler blanks are kept
  EXPECT_EQ(read->comment, std::string(28, ' ') + "xÈ");
  EXPECT_EQ(read->track, ""); // byte 125 is not 0
  record[125] = '\0';
  read = ReadId3v1Record("audio before the record" + record);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->track, "200");
  EXPECT_FALSE(ReadId3v1Record(std::string(128, '\0')));
  EXPECT_FALSE(ReadId3v1Record("TAG" + std::string(100, '\0')));
}

} // namespace
} // namespace velmora
