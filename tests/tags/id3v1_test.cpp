#include "core/tags/id3v1.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using namespace std::string_literals;

std::string Bytes(const Id3v1Record& record) {
  return std::string(record.begin(), record.end());
}

TEST(ComposeId3v1RecordTest, EmptyFieldsGiveMarkerZerosAndSpeech) {
  const std::string record = Bytes(ComposeId3v1Record({}));
  EXPECT_EQ(record, "TAG"s + std::string(124, '\0') + "\x65");
}

TEST(ComposeId3v1RecordTest, FieldsAreZeroFilledAndCutToTheirWidth) {
  Id3v1Fields fields;
  fields.title = std::string(35, 'T');
  fields.artist = "K\xfcnstler";
  fields.album = "Album";
  fields.year = "19999";
  fields.comment = "Teil 1\r\nTeil 2";
  const std::string record = Bytes(ComposeId3v1Record(fields));
  EXPECT_EQ(record.substr(3, 30), std::string(30, 'T'));
  EXPECT_EQ(record.substr(33, 30), "K\xfcnstler" + std::string(22, '\0'));
  EXPECT_EQ(record.substr(63, 30), "Album" + std::string(25, '\0'));
  EXPECT_EQ(record.substr(93, 4), "1999");
  EXPECT_EQ(record.substr(97, 30), "Teil 1 Teil 2" + std::string(17, '\0'));
  EXPECT_EQ(record[127], '\x65');

  const auto read = ReadId3v1Record(record);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->title, std::string(30, 'T'));
  EXPECT_EQ(read->artist, "K\xfcnstler");
  EXPECT_EQ(read->year, "1999");
  EXPECT_EQ(read->comment, "Teil 1 Teil 2");
  EXPECT_EQ(read->track, "");
}

TEST(ComposeId3v1RecordTest, LineBreaksCountOnlyInsideTheFirstThirtyBytes) {
  Id3v1Fields fields;
  fields.comment = std::string(29, 'a') + "\r\nb"; // CR is byte 30, LF is cut off first
  EXPECT_EQ(Bytes(ComposeId3v1Record(fields)).substr(97, 30), std::string(29, 'a') + "\r");
}

TEST(ComposeId3v1RecordTest, TrackNumberWritesId3v11) {
  Id3v1Fields fields;
  fields.track = "7";
  fields.comment = std::string(30, 'c');
  std::string record = Bytes(ComposeId3v1Record(fields));
  EXPECT_EQ(record.substr(97, 28), std::string(28, 'c'));
  EXPECT_EQ(record[125], '\0');
  EXPECT_EQ(record[126], '\x07');
  const auto read = ReadId3v1Record(record);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->track, "7");
  EXPECT_EQ(read->comment, std::string(28, 'c'));

  for (auto [track, byte] : {std::pair{"300", 44}, std::pair{" 12abc", 12}, std::pair{"-1", 255},
                             std::pair{"x", 0}, std::pair{"0", 0}}) {
    fields.track = track;
    record = Bytes(ComposeId3v1Record(fields));
    EXPECT_EQ(static_cast<unsigned char>(record[126]), byte) << track;
    EXPECT_EQ(record[125], '\0');
  }
  fields.track = "0";
  EXPECT_EQ(ReadId3v1Record(Bytes(ComposeId3v1Record(fields)))->track, ""); // track 0 is none
}

TEST(ReadId3v1RecordTest, ReadsOtherWritersRecords) {
  std::string record = "TAG"s + std::string(124, ' ') + '\x0c';
  record[125] = 'x';
  record[126] = '\xc8';
  auto read = ReadId3v1Record(record);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->title, std::string(30, ' ')); // filler blanks are kept
  EXPECT_EQ(read->comment, std::string(28, ' ') + "x\xc8");
  EXPECT_EQ(read->track, ""); // byte 125 is not 0

  record[125] = '\0';
  read = ReadId3v1Record("audio data before the record" + record);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->track, "200");
  EXPECT_EQ(read->comment, std::string(28, ' '));
}

TEST(ReadId3v1RecordTest, NoRecordWithoutMarkerOrWhenShort) {
  EXPECT_FALSE(ReadId3v1Record(std::string(128, '\0')));
  EXPECT_FALSE(ReadId3v1Record("TAG" + std::string(100, '\0')));
  EXPECT_FALSE(ReadId3v1Record(""));
  EXPECT_FALSE(ReadId3v1Record("TAG" + std::string(125, '\0') + "x")); // marker not at the start
}

} // namespace
} // namespace velmora
