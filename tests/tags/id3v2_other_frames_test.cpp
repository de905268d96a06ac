// The frames of a loaded tag besides the written twelve: carried into the new ID3v2.3 tag as the
// standards allow, and the pictures read from them.
#include "core/tags/id3v2_other_frames.h"

#include <gtest/gtest.h>

#include "core/tags/id3v2.h"
#include "support/id3v2_fixtures.h"

namespace velmora::test {
namespace {

const std::string kJpeg = "\xff\xd8\xff\xe0"s + std::string(70000, '\x42');

using Ids = std::vector<std::string>;

TEST(OtherFramesTest, Version23FramesAreCarriedByteForByteAfterTheTwelve) {
  const std::string apic = F23("APIC", "\0image/jpeg\0\x03\0"s + kJpeg);
  const std::string uslt = F23("USLT", "\1ger\xff\xfe\0\0\xff\xfeL\0a\0"s);
  // Read-only and grouped, as the other program marked it.
  const std::string txxx = "TXXX"s + BigEndian(20, 4) + "\x20\x20" + "G\0REPLAYGAIN\0-6.2 dB"s;
  const std::string discard = "PRIV"s + BigEndian(3, 4) + "\x80\0abc"s; // tag alter: discard
  const std::string tag = Tag(3, 0,
                              F23("TIT2", "\0Titel"s) + apic + F23("TCON", "\0(101)"s) + uslt +
                                  discard + txxx + F23("COMM", "\0eng\0Text"s),
                              500);
  const OtherFrames frames = CarryOtherFrames(tag);
  EXPECT_EQ(frames.bytes, apic + uslt + txxx);
  EXPECT_EQ(frames.leftOut, Ids{"PRIV"});

  // The composed tag holds them after the twelve and before the padding; the reader still reads
  // the twelve, and the carried frames come out again.
  const std::string composed = ComposeId3v2Tag({"1", "Neu"}, 100, frames.bytes);
  const std::string file = composed + std::string(100, '\0');
  EXPECT_EQ(MeasureId3v2Tag(file), file.size());
  EXPECT_EQ(ParseId3v2Frames(file).size(), 11u);
  EXPECT_EQ(CarryOtherFrames(file).bytes, frames.bytes);
  EXPECT_EQ(composed.substr(composed.size() - frames.bytes.size()), frames.bytes);
}

TEST(OtherFramesTest, Version24And22FramesAreCarriedWhenTheirVersion23FormHoldsTheSameData) {
  const std::string v24 = Tag(
      4, '\x80', // unsynchronised: every frame body too
      F24("APIC", "\3image/png\0\x03K\xc3\xb6ln\0"s + Unsynchronised("\xff\xe0png")) +
          F24("USLT", "\0gerd\0Zeile"s) + F24("TDRC", "\0"s + "2019") + F24("TXXX", "\3A\0B"s) +
          "TPE2"s + BigEndian(6, 4, 7) + "\0\x01"s + BigEndian(2, 4, 7) + // data length indicator
          "\0X"s + "GEOB"s + BigEndian(3, 4, 7) + "\0\x08zip"s);          // GEOB compressed
  const OtherFrames frames = CarryOtherFrames(v24);
  EXPECT_EQ(frames.bytes, F23("APIC", "\0image/png\0\x03K\xf6ln\0\xff\xe0png"s) +
                              F23("USLT", "\0gerd\0Zeile"s) + F23("TPE2", "\0X"s));
  EXPECT_EQ(frames.leftOut, (Ids{"TDRC", "TXXX", "GEOB"}));

  const std::string v22 = Tag(2, 0,
                              F22("TT2", "\0T"s) + F22("PIC", "\0JPG\x03\0"s + kJpeg) +
                                  F22("ULT", "\0engd\0Text"s) + F22("XYZ", "\0?"s));
  const OtherFrames fromV22 = CarryOtherFrames(v22);
  EXPECT_EQ(fromV22.bytes,
            F23("APIC", "\0image/jpeg\0\x03\0"s + kJpeg) + F23("USLT", "\0engd\0Text"s));
  EXPECT_EQ(fromV22.leftOut, Ids{"XYZ"});
}

TEST(OtherFramesTest, PicturesAndTheCoverAmongThem) {
  const std::string tag = Tag(3, 0,
                              F23("APIC", "\0image/png\0\x04R\xfc"s + "ck\0png"s) +
                                  F23("APIC", "\1image/jpeg\0\x03\xff\xfe\0\0"s + kJpeg) +
                                  F23("APIC", "\0x"s)); // too short to be a picture
  const std::vector<TagPicture> pictures = ReadPictures(tag);
  ASSERT_EQ(pictures.size(), 2u);
  EXPECT_EQ(pictures[0].type, 4);
  EXPECT_EQ(pictures[0].data, "png");
  EXPECT_EQ(CoverPicture(pictures), &pictures[1]);
  EXPECT_EQ(pictures[1].mime + " " + std::to_string(pictures[1].data.size()), "image/jpeg 70004");
  EXPECT_EQ(CoverPicture({}), nullptr);
  EXPECT_EQ(ReadPictures(Tag(2, 0, F22("PIC", "\0PNG\x05\0x"s))).at(0).mime, "image/png");
}

} // namespace
} // namespace velmora::test
