#include "session/SaveStream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>

#include "platform/FileOperations.h"
#include "tests/support/TestSupport.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Compress(const Bytes& raw) { return CSaveWriter::Compress(raw.data(), raw.size()); }

// A decoder written from the format alone, over the whole stream.
Bytes Decode(const Bytes& s) {
  Bytes out;
  const size_t length = s[0] | s[1] << 8 | s[2] << 16 | static_cast<size_t>(s[3]) << 24;
  size_t at = 4;
  while (out.size() < length) {
    const uint8_t flag = s.at(at++);
    for (int i = 0; i < 8 && out.size() < length; ++i) {
      if ((flag >> i & 1) == 0) {
        out.push_back(s.at(at++));
        continue;
      }
      const int w = s.at(at) | s.at(at + 1) << 8;
      at += 2;
      const size_t distance = w & 0xFFF, len = (w >> 12) + 2;
      EXPECT_GE(distance, 1u);
      EXPECT_LE(distance, out.size());
      for (size_t k = 0; k < len; ++k) out.push_back(out[out.size() - distance]);
    }
  }
  out.resize(length);
  EXPECT_EQ(at, s.size()) << "bytes after the last group";
  return out;
}

Bytes ReadAll(const Bytes& stream, int chunk) {
  CSaveReader reader;
  EXPECT_TRUE(reader.OpenBytes(stream));
  Bytes out(static_cast<size_t>(reader.RawLength()));
  size_t at = 0;
  for (int32_t n; (n = reader.Read(out.data() + at, std::min<int32_t>(chunk, static_cast<int32_t>(out.size() - at)))) > 0;) {
    at += static_cast<size_t>(n);
  }
  EXPECT_FALSE(reader.Failed());
  out.resize(at);
  return out;
}

Bytes Random(size_t n, uint32_t seed, int alphabet = 256) {
  std::mt19937 rng(seed);
  Bytes b(n);
  for (auto& x : b) x = static_cast<uint8_t>(rng() % static_cast<uint32_t>(alphabet));
  return b;
}

TEST(SaveStream, TheFormatsSmallCases) {
  EXPECT_EQ(Compress({}), (Bytes{0, 0, 0, 0}));
  EXPECT_EQ(Compress({1, 2, 3, 4, 5}), (Bytes{5, 0, 0, 0, 0, 1, 2, 3, 4, 5}));
  // Two literals, then (2,2), (4,4), (8,8), (4,4): no reference reaches its own start.
  const Bytes twenty = Compress(Bytes(20, 'a'));
  const Bytes expected{20, 0, 0, 0, 0x3C, 'a', 'a', 0x02, 0x00, 0x04, 0x20, 0x08, 0x60, 0x04, 0x20};
  EXPECT_EQ(twenty, expected);
}

// Ten kilobytes of words from a small vocabulary with a stray byte now and
// then, picked by a linear congruential rule: matches of every length, and
// distances up to the edge of the window.
Bytes WordSoup() {
  uint32_t x = 20261210;
  const auto next = [&x] {
    x = x * 1103515245u + 12345u;
    return x >> 16;
  };
  std::vector<Bytes> words;
  for (int k = 0; k < 24; ++k) {
    Bytes word;
    for (int j = 0; j < 2 + k * 5 % 17; ++j) word.push_back(static_cast<uint8_t>('a' + (k * 7 + j * 3) % 26));
    word.push_back(' ');
    words.push_back(word);
  }
  Bytes out;
  while (out.size() < 10240) {
    const uint32_t r = next();
    if (r % 11 == 0) {
      out.push_back(static_cast<uint8_t>(r >> 3));
    } else {
      const Bytes& word = words[r % 24];
      out.insert(out.end(), word.begin(), word.end());
    }
  }
  out.resize(10240);
  return out;
}

// What WordSoup compresses to, as an encoder written apart from this one
// makes it.
constexpr const char* kWordSoupStream =
    "0028000000696C6F727578616400676A6D7073762079006265686B6E7174775C7A2018B007401E30201500203B35C004"
    "00203780429007406366DF647038D0491054502990202F802640BF4E60215033F033101BF01B80F14A207E20937091F0"
    "6BB046F04660E210CEFB25500441BD527016A0157091600640DD0D5077891012F107302005302FF1F74CA17EB0B5B024"
    "43401F90AE1045E1FBF8F01EB04B3D9068A036E0C95053C1EFFBF10B202A50D2F08C5EF01C80B7100F96B0A4C00DB0A2"
    "F1202B5D00E3BAA00CA0DD7C4E4BC09D50E9F2BF75F01BC00DB060D134F29200C48390FE4BDCF1FEF03B71CF4151F051"
    "0073D07F12B232F0323022D032B02EF0C7C36DDE45C46235F035B0C7E055C9F2C9D2FF0970A3E20DB042F0142146909B"
    "F032F0FF10F1E24003100310A7D2CCF35010FF607E8308503DB11450E9F05CA0AE901CDF29F0EEC05CB00B904280299B"
    "F4D460FA893CA0F153C14B42F7F141C06360DFA3F0A1E18D70A1F5174084AF800711BF4EE01B6093306CF05DF1EC002D"
    "96F1FF12B1D6B0E94012A07E911A10B2F01A40BF086056C22CC006F1E0F1D4509A2AE0FF0EC046F00FD3C1E0E0B01D20"
    "5FE07530FF8AB511F1A39096F784F60530B7A60263F330F044F220A53C2031F4881098F1FB24506C80BFC4F325F548F4"
    "D1C049F43FF9F652F0E5F299F160F03EF220D4F38EF30901C3C042F900F20E2010F5DD01427102F132F911C08A83F024"
    "F4BF13109490EC410310CEF60F90E52640FF2AF2B79032D082F97D80F9F0F0902EF0DF44F85300D9C89FF87DC5F1B6FA"
    "2D60ED49F12E2F10E9C2B9BEF0900004F1FFBAF5B3F30D404CF0C1F721F036F97360F39B9343C078BC2F8136F060F06C"
    "82FF513022B53EF01D703AC205306AF06AF0BFC5E137301E966FF043F02032513F50FD3210A7FAF567315490A14049F0"
    "FAF1EF64A288F065F96C90890DF21FF21200FFCCF7A9D032F04EF15BFCD18550F00ED1FF05FC0FF31F905EFCBAF294FD"
    "4A6092F7EF452012FBA7FDCE51A31CF0868834C57F2CF13F94FA9178A85CF05C003C41E67FEDC388F1AB6241F095B430"
    "FEDC523FFE5B06206A402EE1A3F10B500B8761908F3BCE9EF6B2830B90DCC7CB74E0F64A10D0662040F6F22CFBF480A2"
    "F67F0A8439B43AF030801BF01AF12A60BDE793F849312DC0A12292F81EACFFFDEF2DFFFE43ECF0ECA0601DF0B1A1C9B1"
    "BFAFFEAAF105F1867C1FF256701A20C1FFD4F0C6FB5AF1E97025F0FBF0FBB076F4EFADC24CFC83848FF11869F0F6303C"
    "A0BB51F39AAFF39BF314A30D50E79240EF8FFB63F595E540504192102FFD75F2FB5CFBD45A2765F083F1E8F510D00EF1"
    "FF91FE5AF180F126302EF1454012F165F6FF0B78BB743A40FCFAD4F039F4E9B135D0BF7DF056E04BEDE8F3B6F019E0A2"
    "57F5FFF2DA0DF5FDF683FCA6F1EDF0D386C1D06BD5F223108719203360F0162088FFA440E4F77BF474F7323098F09800"
    "DEFBFFACFB4E631BF292303AF8B6F679AE7DF4BF23FAAEA688C78FF7326011F01639C0F97E70ACCF9A8A9EFF0B101FF1"
    "A432FC5E3273F002F8E8F195F065F52B00E6C850F1981083F5429179F0C7F1FF7EFC45F43AB056F7F9F0F990CB603810"
    "F729F438C2F6A106EC9857F017F111F0F4208BA4D0F7DBF0AFF0D6F63600FE0292901BD03AD5086047F9B889FEF1FF17"
    "4074E0D8F7C97220A101FF3EFA96A0FF25F003044C9011CA65F3F1C014B0CD65BF1B4066F051A41DFC5BF11B70868E90"
    "7F87F4A8F617F323F2CCD55CF41A7082FF25F2A7B61EF0200223F114F218F39E30FD5FB53D20F005DF16F787D04DA0F3"
    "FA7D4A505C2EFD37F2A2F676D17BE697FF78FC55C265F0650072E623F0B9F184D8FF58F377F277C2BBF62DF0D7C9C9F6"
    "0F90FF5BE13A4052F035AE73F0213012F02E21FED01EF53E25FDB07140AFC324102290FF3CE15CF40EA0458055FF3DD2"
    "A4F40EB0F7CFF092A03AD07C2DF0D020F4F1E820FFDAC009B17CFDD0B373FFCFFF05B402AAFFFFF610D053F095F81ED2"
    "21F3D0AD4EF0FF12F0120055C0B7D051B03CF058FBDAF2FF57F0EBFD15F8A4DAC610892023F05FB0F83B4700C1F4E3F3"
    "5370DD9209707DB0D0992490A0F9B0F020FC20E0C4FFB9F197ED16F199F3507B7FF0A2B21DF0DFE9F63C45B5EFE3FA3A"
    "00EF5AF479B3E73AF647209DF020ED88F2D6B2D8FAFF6FB013F86200BEF861D460F476F43680F709A89AF310D03391B1"
    "82FCA930B4F1BF97AD2BE1FBF524F250C00B9041DBF9FF00F4806013B06AD7064043F0DDF628787F79FD52F625F06922"
    "65F89CB1B1C7D3EF2D404CFB1CF2D1B221661067B7159CEE3657E88EF2F5C0BA3B504390BEF0BFF3F1A3F1CFF1C0734A"
    "E01420D42CD2BF54F3B4F53CF41BA12EF113006C46F0FFADF640F440B453F0B9308AC0C6301951FFD1F2E88A9FF04C00"
    "1CF2B8F3FF8A69CFEF7D92D3FE53FE4B70C00FF1A92211F1EF60F834F381F1CF30D794D085F365D0DF1E4140B155F037"
    "F1C79BDA1BF0BBF7FFD7F1DF79763008106CFAB2FE8DF229F5FF39F510002A635CF00A81FF405AF0A9F703ABF24CFD61";

Bytes FromHex(const std::string& hex) {
  Bytes bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes.push_back(static_cast<uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

TEST(SaveStream, TenKilobytesOfWordsCompressToExactlyTheseBytes) {
  const Bytes raw = WordSoup();
  const Bytes expected = FromHex(kWordSoupStream);
  const Bytes s = Compress(raw);
  ASSERT_EQ(s.size(), expected.size());
  for (size_t i = 0; i < s.size(); ++i) ASSERT_EQ(s[i], expected[i]) << "byte " << i;
  EXPECT_EQ(Decode(s), raw);
}

TEST(SaveStream, SeventeenBytesEndTheSearchAtTheNewestCandidate) {
  // "ABCDEFGHIJKLMNOPQ" twice with a gap, then again: the newest copy gives 17
  // and ends the search, though the oldest would match as well.
  const std::string text = "ABCDEFGHIJKLMNOPQxABCDEFGHIJKLMNOPQyABCDEFGHIJKLMNOPQz";
  const Bytes raw(text.begin(), text.end());
  const Bytes s = Compress(raw);
  EXPECT_EQ(Decode(s), raw);
  // Both copies refer 18 back with length 17, word (15 << 12) | 18; never 36 back.
  const Bytes near{0x12, 0xF0}, far{0x24, 0xF0};
  int nearCount = 0;
  for (auto it = s.begin(); (it = std::search(it, s.end(), near.begin(), near.end())) != s.end(); ++it) ++nearCount;
  EXPECT_EQ(nearCount, 2);
  EXPECT_EQ(std::search(s.begin(), s.end(), far.begin(), far.end()), s.end());
}

TEST(SaveStream, RoundTripsThroughBothDecoders) {
  Bytes runs;
  for (int i = 0; i < 3000; ++i) runs.insert(runs.end(), static_cast<size_t>(i % 40 + 1), static_cast<uint8_t>(i));
  Bytes far = Random(4096, 1);
  far.insert(far.end(), far.begin(), far.begin() + 40);  // 4096 back: out of reach
  Bytes near = Random(4095, 2);
  near.insert(near.end(), near.begin(), near.begin() + 40);  // 4095 back
  const std::vector<std::pair<const char*, Bytes>> cases = {
      {"runs", runs},
      {"distance 4096", far},
      {"distance 4095", near},
      {"length 16", Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}},
      {"small alphabet", Random(20000, 3, 3)},
      {"random 38 KB", Random(38 * 1024, 4)},
      {"largest content", Random(static_cast<size_t>(kMaxSaveContent), 5)},
  };
  for (const auto& [name, raw] : cases) {
    SCOPED_TRACE(name);
    const Bytes s = Compress(raw);
    EXPECT_EQ(Decode(s), raw);
    EXPECT_EQ(ReadAll(s, 8192), raw);
  }
}

TEST(SaveStream, OddChunksAcrossTheRingEdge) {
  const Bytes raw = Random(30000, 6, 4);
  const Bytes s = Compress(raw);
  for (int chunk : {1, 7, 137, 8191, 8193}) {
    SCOPED_TRACE(chunk);
    EXPECT_EQ(ReadAll(s, chunk), raw);
  }
}

TEST(SaveStream, CorruptStreamsFailWithoutReadingPast) {
  const Bytes good = Compress(Bytes(100, 'q'));
  struct Case {
    const char* name;
    Bytes stream;
    bool opens;
  };
  Bytes truncated(good.begin(), good.end() - 3);
  const std::vector<Case> cases = {
      {"negative length", {0xFF, 0xFF, 0xFF, 0xFF, 0}, false},
      {"length beyond the largest content", {0xFF, 0xFF, 0xFF, 0x00, 0}, false},
      {"no header", {1, 0}, false},
      {"distance 0", {4, 0, 0, 0, 0x01, 0x00, 0x20}, true},
      {"before the start", {4, 0, 0, 0, 0x02, 'a', 0x02, 0x20}, true},
      {"ends before the raw length", truncated, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CSaveReader reader;
    ASSERT_EQ(reader.OpenBytes(c.stream), c.opens);
    if (!c.opens) continue;
    Bytes out(static_cast<size_t>(reader.RawLength()) + 16, 0xEE);
    EXPECT_LT(reader.Read(out.data(), reader.RawLength()), reader.RawLength());
    EXPECT_TRUE(reader.Failed());
  }
}

TEST(SaveStream, WriterBuffersReadsBackAndWritesWhole) {
  testsupport::TempDir dir;
  const std::string path = (dir / "a.sav").string();
  const Bytes raw = Random(5000, 7, 8);
  {
    CSaveWriter writer;
    ASSERT_TRUE(writer.Open(path));
    writer.Write(raw.data(), 3000);
    writer.Write(raw.data() + 3000, 2000);
    Bytes back(6000);
    EXPECT_EQ(writer.ReadBack(back.data(), 4000), 4000);
    EXPECT_EQ(writer.ReadBack(back.data() + 4000, 2000), 1000);
    back.resize(5000);
    EXPECT_EQ(back, raw);
  }  // closing writes
  CSaveReader reader;
  ASSERT_TRUE(reader.Open(path));
  Bytes out(raw.size());
  EXPECT_EQ(reader.Read(out.data(), 6000), 5000);
  EXPECT_EQ(out, raw);

  // A failing write leaves the old file and no temporary one.
  platform::FileOperations files;
  files.FailFrom(1);
  CSaveWriter failing(files);
  failing.Open(path);
  failing.Write("zz", 2);
  EXPECT_FALSE(failing.Close());
  ASSERT_TRUE(reader.Open(path));
  EXPECT_EQ(reader.RawLength(), 5000);
  EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
}

}  // namespace
