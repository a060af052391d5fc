#include "census/ncdu_reader.h"

#include <gtest/gtest.h>

#include <QBuffer>

namespace {

// What the reader told, one line an event: "[name size", "file name size", "]".
class Transcript final : public NcduHandler {
  public:
    void BeginDirectory(const NcduEntry& directory) override { Tell("[", directory); }
    void File(const NcduEntry& file) override { Tell("file", file); }
    void EndDirectory() override { lines.push_back("]"); }
    void Scanned(std::int64_t seconds) override {
        lines.push_back("scanned " + QByteArray::number(seconds));
    }

    std::vector<QByteArray> lines;

  private:
    void Tell(const char* what, const NcduEntry& entry) {
        QByteArray line = what + QByteArray(" ") + entry.name + ' ' +
                          QByteArray::number(entry.asize) + '/' + QByteArray::number(entry.dsize);
        if (entry.dev) line += " dev=" + QByteArray::number(*entry.dev);
        if (entry.hardLinked) line += " ino=" + QByteArray::number(entry.ino);
        if (entry.readError) line += " unread";
        if (entry.excluded) line += " excluded";
        if (entry.notRegular) line += " notreg";
        lines.push_back(line);
    }
};

std::optional<ImportError> Read(QByteArray text, Transcript& transcript) {
    QBuffer buffer(&text);
    buffer.open(QIODevice::ReadOnly);
    return ReadNcduExport(buffer, transcript);
}

std::string ErrorOf(const QByteArray& text) {
    Transcript transcript;
    const std::optional<ImportError> error = Read(text, transcript);
    if (!error) return "none";
    return QStringLiteral("%1:%2 %3")
        .arg(error->line)
        .arg(error->column)
        .arg(error->reason)
        .toStdString();
}

}  // namespace

TEST(NcduReader, ToldInTheOrderOfTheExportWithEveryFieldItKnows) {
    Transcript transcript;
    const QByteArray text =
        "[1,2,{\"progname\":\"ncdu\",\"progver\":\"1.18\",\"timestamp\":1796715664},\n"
        "[{\"name\":\"/srv/a\",\"asize\":4096,\"dsize\":4096,\"dev\":65024},\n"
        "{\"name\":\"fifo\",\"notreg\":true},\n"
        "[{\"name\":\"locked\",\"asize\":4096,\"read_error\":true}],\n"
        "[{\"name\":\"proc\",\"dev\":21,\"excluded\":\"othfs\"}],\n"
        "{\"name\":\"hard\",\"asize\":6,\"dsize\":4096,\"ino\":17,\"hlnkc\":true,\"nlink\":2,"
        "\"ext\":{\"mtime\":[1,{\"x\":null}]}}]]\n";
    ASSERT_FALSE(Read(text, transcript));
    EXPECT_EQ(transcript.lines,
              (std::vector<QByteArray>{"scanned 1796715664", "[ /srv/a 4096/4096 dev=65024",
                                       "file fifo 0/0 notreg", "[ locked 4096/0 unread", "]",
                                       "[ proc 0/0 dev=21 excluded", "]", "file hard 6/4096 ino=17",
                                       "]"}));
}

// The time of the scan where the metadata holds a whole number for it; metadata of any
// other shape is passed over, as before.
TEST(NcduReader, TheScanTimeComesFromTheMetadata) {
    for (const QByteArray& metadata :
         {QByteArray("{\"timestamp\":\"soon\",\"x\":[{}]}"), QByteArray("{}"), QByteArray("null"),
          QByteArray("[1,{\"timestamp\":5}]")}) {
        Transcript transcript;
        ASSERT_FALSE(Read("[1,0," + metadata + ",[{\"name\":\"/\"}]]", transcript));
        EXPECT_EQ(transcript.lines, (std::vector<QByteArray>{"[ / 0/0", "]"}))
            << metadata.constData();
    }
    Transcript transcript;
    ASSERT_FALSE(
        Read("[1,0,{\"progname\":\"gdu\", \"timestamp\" : 7},[{\"name\":\"/\"}]]", transcript));
    EXPECT_EQ(transcript.lines.front(), "scanned 7");
    EXPECT_EQ(ErrorOf("[1,0,{\"timestamp\":7,},[{\"name\":\"/\"}]]"),
              "1:21 a key must be a string");
}

TEST(NcduReader, NamesKeepTheirBytesAndEscapesReadAsJsonSays) {
    Transcript transcript;
    QByteArray text =
        "[1,0,{},[{\"name\":\"/r\"},{\"name\":\"raw\xff\xfe\"},"
        "{\"name\":\"ctl\\u0001\\n\\\"\\\\\\/\"},"
        "{\"name\":\"pair\\ud83d\\ude00 lone\\udc00\"}]]";
    ASSERT_FALSE(Read(text, transcript));
    EXPECT_EQ(transcript.lines[1], "file raw\xff\xfe 0/0");
    EXPECT_EQ(transcript.lines[2], "file ctl\x01\n\"\\/ 0/0");
    EXPECT_EQ(transcript.lines[3], "file pair\xf0\x9f\x98\x80 lone\xef\xbf\xbd 0/0");
}

TEST(NcduReader, BrokenTruncatedAndForeignFilesSayWhereAndWhy) {
    EXPECT_EQ(ErrorOf(" \n"), "2:1 the file is empty");
    EXPECT_EQ(ErrorOf("{\"rows\":[]}"), "1:1 not an ncdu export: it does not start with \"[\"");
    EXPECT_EQ(ErrorOf("[2,0,{},[{\"name\":\"/\"}]]"), "1:3 not an export of major version 1");
    EXPECT_EQ(ErrorOf("[1,0,{},\n[{\"name\":\"/\"},\n{\"name\":\"a\",\"asi"),
              "3:17 the export ends too early");
    EXPECT_EQ(ErrorOf("[1,0,{},[{\"name\":\"/\"},{\"asize\":1}]]"), "1:24 an entry has no name");
    EXPECT_EQ(ErrorOf("[1,0,{},[{\"name\":\"/\"},{\"name\":\"a\",\"asize\":-1}]]"),
              "1:43 \"asize\" is not a whole number of 64 bits");
    EXPECT_EQ(
        ErrorOf("[1,0,{},[{\"name\":\"/\"},{\"name\":\"a\",\"asize\":18446744073709551616}]]"),
        "1:43 \"asize\" is not a whole number of 64 bits");
    EXPECT_EQ(ErrorOf("[1,0,{},[{\"name\":\"/\"} {\"name\":\"a\"}]]"),
              "1:23 expected \",\" or \"]\"");
    EXPECT_EQ(ErrorOf("[1,0,{},[{\"name\":\"/\"}]] x"), "1:25 text follows the end of the export");
    EXPECT_EQ(ErrorOf("[1,0,{\"a\":[1,{\"b\":tru}]},[{\"name\":\"/\"}]]"),
              "1:19 a value is not JSON");
}

TEST(NcduReader, DeepTreesNeedNoDeepStack) {
    constexpr int kDepth = 200000;
    QByteArray text = "[1,0,{},";
    for (int i = 0; i < kDepth; ++i)
        text += "[{\"name\":\"d\"},";
    text += "{\"name\":\"f\",\"asize\":1}";
    text += QByteArray(kDepth, ']') + "]";
    Transcript transcript;
    ASSERT_FALSE(Read(text, transcript));
    EXPECT_EQ(transcript.lines.size(), 2u * kDepth + 1);
}
