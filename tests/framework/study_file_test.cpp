// The study-file reader: physical line numbers, bounded conversions, quoting, the notes of values not read
// as written and the warning built from them.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/study_file.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "framework/errors.h"
#include "framework/number_pattern.h"

namespace kestra {
namespace {

using namespace std::string_literals;

const NumberFormat kThreeThree{3, 3};

// The fault a reading raises, as (line, reason); line -1 when nothing was raised.
template <typename Read>
std::pair<int, std::string> faultOf(Read read)
{
    try {
        read();
    } catch (const StudyFileError& e) {
        return {e.line(), e.reason()};
    }
    return {-1, {}};
}

TEST(StudyFileReader, FaultsNameThePhysicalLineOfTheFile)
{
    // a misspelt banner is read as the older layout; its first line is then no layout number
    auto fault = faultOf([] {
        StudyFileReader r("f", "Kestra for Windowz\r\n3\r\n3\r\n2\r\n");
        r.readFormat(kThreeThree);
        r.readLayout();
    });
    EXPECT_EQ(fault.first, 1);
    EXPECT_NE(fault.second.find("\"Kestra for Windowz\""), std::string::npos) << fault.second;
    EXPECT_NE(fault.second.find("intestazione"), std::string::npos);

    // the older layout counts its lines as they stand: its first line is line 1, not 4
    fault = faultOf([] {
        StudyFileReader r("f", "2\r\nM\r\nx\r\n");
        r.readFormat(kThreeThree);
        r.readLayout();
        r.readText("il metodo", true);
        r.readInteger("il numero di misure", 5, 99);
    });
    EXPECT_EQ(fault.first, 3);

    EXPECT_EQ(faultOf([] { StudyFileReader("f", "K\0e\0s\0t\0r\0a\0"s); }).first, 1);
    EXPECT_EQ(faultOf([] { StudyFileReader("f", "\xFF\xFEK\0"s); }).first, 1);
    const auto binary = faultOf([] { StudyFileReader("f", "\x89PNG\r\n\x1a\n\0\0\0\rIHDR"s); });
    EXPECT_EQ(binary.first, 1);
    EXPECT_NE(binary.second.find("non è un file di testo"), std::string::npos);
    EXPECT_EQ(faultOf([] { StudyFileReader("f", "").readFormat(kThreeThree); }),
              std::make_pair(1, std::string("il file è vuoto")));
    // a banner with trailing blanks is still the banner
    StudyFileReader padded("f", "Kestra for Windows  \r\n3\r\n2\r\n2\r\n");
    EXPECT_EQ(padded.readFormat(kThreeThree), (NumberFormat{3, 2}));
    EXPECT_TRUE(padded.hasBanner());
}

TEST(StudyFileReader, EarlyEndSaysPrimaDellaWithTheArticle)
{
    const auto fault = faultOf([] {
        StudyFileReader r("f", "a\r\n");
        r.skipLine("il metodo");
        r.readRow(1, "la misura 5", kThreeThree, CellRule::NilOrNumber);
    });
    EXPECT_EQ(fault.first, 2);
    EXPECT_EQ(fault.second, "il file termina prima della misura 5");
}

TEST(StudyFileReader, IntegersAreRangeCheckedBeforeAnyConversion)
{
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"1e300", "fuori dai limiti 5..99"},  {"99999999999999999999", "fuori dai limiti 5..99"},
        {"-1e300", "fuori dai limiti 5..99"}, {"1e400", "non è un numero intero"},
        {"5.5", "non è un numero intero"},    {"nan", "non è un numero intero"},
        {"", "manca il numero di misure"},
    };
    for (const Case& c : cases) {
        const auto fault = faultOf([&] {
            StudyFileReader r("f", std::string(c.text) + "\r\n");
            r.readInteger("il numero di misure", 5, 99);
        });
        EXPECT_EQ(fault.first, 1) << c.text;
        EXPECT_NE(fault.second.find(c.expected), std::string::npos) << c.text << " -> " << fault.second;
    }
    StudyFileReader ok("f", " 10.0 \r\n");
    EXPECT_EQ(ok.readInteger("il numero di misure", 5, 99), 10);

    for (const char* layout : {"1e300", "99999999999999999999", "40000", "2.5", "x"}) {
        const auto fault = faultOf([&] {
            StudyFileReader r("f", "Kestra for Windows\r\n3\r\n3\r\n" + std::string(layout) + "\r\n");
            r.readFormat(kThreeThree);
            r.readLayout();
        });
        EXPECT_EQ(fault.first, 4) << layout;
        EXPECT_NE(fault.second.find("campi per riga"), std::string::npos) << fault.second;
    }
}

TEST(StudyFileReader, QuotedTextIsShortAndShowsControlsAsQuestionMarks)
{
    const std::string longLine = "\x01" + std::string(100, 'x');
    const auto fault = faultOf([&] {
        StudyFileReader r("f", longLine + "\r\n");
        r.readInteger("il numero di misure", 5, 99);
    });
    EXPECT_NE(fault.second.find("\"?" + std::string(36, 'x') + "...\""), std::string::npos) << fault.second;
}

TEST(StudyFileReader, RowValuesReadDifferentlyAreNotedByLine)
{
    StudyFileReader r("f", "h\r\n 1,0,412\r\n2,-5\r\n3,1234.5\r\n4,0.4125\r\n5,NIL\r\n6,0.5\r\n7,2,abc\r\n");
    r.skipLine("h");
    std::vector<std::optional<double>> cells;
    for (int i = 0; i < 7; ++i)
        cells.push_back(
            r.readRow(1, "la misura " + std::to_string(i + 1), kThreeThree, CellRule::NilOrNumber)[0]);
    EXPECT_EQ(cells[0], 0.0);
    EXPECT_EQ(cells[1], -5.0);  // kept as written, and said
    EXPECT_EQ(cells[2], 1234.5);
    EXPECT_EQ(cells[3], 0.4125);  // the grid shows and computes it with its decimals
    EXPECT_FALSE(cells[4]);
    EXPECT_EQ(cells[5], 0.5);
    EXPECT_EQ(cells[6], 2.0);
    const ReadingNotes& notes = r.notes();
    ASSERT_EQ(notes.total, 5u);
    EXPECT_EQ(notes.kept[0].line, 2);
    EXPECT_EQ(notes.kept[0].text, "\"0,412\" letto come 0 (3 campi invece di 2)");
    EXPECT_EQ(notes.kept[1].line, 3);
    EXPECT_EQ(notes.kept[1].text, "\"-5\" letto come -5, un valore negativo, che la griglia non accetta");
    EXPECT_EQ(notes.kept[2].text, "\"1234.5\" letto come 1234.5, oltre il massimo della griglia (999.999)");
    EXPECT_EQ(notes.kept[3].text, "\"0.4125\" letto come 0.413 (3 decimali)");
    EXPECT_EQ(notes.kept[4].line, 8);
    EXPECT_EQ(notes.kept[4].text, "\"2,abc\" letto come 2 (3 campi invece di 2)");
}

TEST(StudyFileReader, CellRulesOfTheLayouts)
{
    const auto read = [](const std::string& field, CellRule rule) {
        StudyFileReader r("f", "x\r\n");
        auto value = r.readCell(field, "la misura 1", kThreeThree, rule);
        return std::make_pair(value, r.notes().total);
    };
    using P = std::pair<std::optional<double>, std::size_t>;
    EXPECT_EQ(read(" NIL      ", CellRule::NilOrNumber), P(std::nullopt, 0));
    EXPECT_EQ(read("NIL", CellRule::NilElseZero), P(std::nullopt, 0));
    EXPECT_EQ(read("NIL", CellRule::AnythingElseZero), P(0.0, 1));
    EXPECT_EQ(read("NIL", CellRule::EmptyOrNilAsZero), P(0.0, 1));
    EXPECT_EQ(read("", CellRule::EmptyOrNilAsZero), P(0.0, 1));
    EXPECT_EQ(read("abc", CellRule::AnythingElseZero), P(0.0, 1));
    EXPECT_EQ(read("inf", CellRule::NilElseZero), P(0.0, 1));
    EXPECT_EQ(read("1e400", CellRule::NilElseZero), P(0.0, 1));
    EXPECT_EQ(read("12.5", CellRule::AnythingElseZero), P(12.5, 0));
    EXPECT_THROW(read("abc", CellRule::NilOrNumber), StudyFileError);
    EXPECT_THROW(read("abc", CellRule::EmptyOrNilAsZero), StudyFileError);
    EXPECT_THROW(read("", CellRule::NilOrNumber), StudyFileError);
}

TEST(StudyFileReader, ShortAndLongRowsUnderTheLenientRule)
{
    StudyFileReader r("f", " 1,10\r\n2,1,2,3,4\r\n3\r\n");
    const auto a = r.readRow(3, "la riga 1", kThreeThree, CellRule::EmptyOrNilAsZero);
    EXPECT_EQ(a, (std::vector<std::optional<double>>{10.0, 0.0, 0.0}));
    const auto b = r.readRow(3, "la riga 2", kThreeThree, CellRule::EmptyOrNilAsZero);
    EXPECT_EQ(b, (std::vector<std::optional<double>>{1.0, 2.0, 3.0}));
    const auto c = r.readRow(0, "la riga 3", kThreeThree, CellRule::EmptyOrNilAsZero);
    EXPECT_TRUE(c.empty());
    ASSERT_EQ(r.notes().total, 2u);
    EXPECT_EQ(r.notes().kept[0].text, "2 campi invece di 4: i valori mancanti letti come 0");
    EXPECT_EQ(r.notes().kept[1].text,
              "5 campi invece di 4 (\"2,1,2,3,4\"): i campi oltre il 4° non sono letti");

    const auto strict = faultOf([] {
        StudyFileReader s("f", " 1,10\r\n");
        s.readRow(2, "la riga di risposte 1", kThreeThree, CellRule::NilOrNumber);
    });
    EXPECT_EQ(strict.first, 1);
    EXPECT_EQ(strict.second, "mancano dei valori della riga di risposte 1: 2 campi invece di 3 (\" 1,10\")");
}

TEST(StudyFileReader, ItemsAcrossLinesNoteEveryLineWithAnotherFieldCount)
{
    StudyFileReader r("f", " 1,10,0,412,98.5\r\n2,1,2,3\r\n");
    StudyFileItems items(r, 4);
    std::vector<std::string> read;
    for (int i = 0; i < 9; ++i) read.emplace_back(items.next("la riga"));
    EXPECT_EQ(read, (std::vector<std::string>{" 1", "10", "0", "412", "98.5", "2", "1", "2", "3"}));
    ASSERT_EQ(r.notes().total, 1u);
    EXPECT_EQ(r.notes().kept[0].line, 1);
    EXPECT_EQ(r.notes().kept[0].text,
              "5 campi invece di 4 (\" 1,10,0,412,98.5\"): i valori seguenti finiscono in altre celle");
}

TEST(StudyFileReader, LongTextsAreCutToAThousandCharactersWithANote)
{
    std::string accents;
    for (int i = 0; i < 1500; ++i) accents += "à";
    StudyFileReader r("f", "  " + accents + "  \r\n" + std::string(1000, 'b') + "\r\n");
    const std::string cut = r.readText("il metodo analitico", true);
    EXPECT_EQ(cut.size(), 2000u);  // 1000 two-byte characters
    EXPECT_EQ(r.readText("l'analita", false), std::string(1000, 'b'));
    ASSERT_EQ(r.notes().total, 1u);
    EXPECT_EQ(r.notes().kept[0].line, 1);
    EXPECT_EQ(r.notes().kept[0].text, "testo di 1500 caratteri, troncato a 1000");

    // Windows-1252 files are cut by characters as well, then converted
    StudyFileReader legacy("f", std::string(1200, '\xB5') + "\r\n");
    const std::string micro = legacy.readText("l'unità", false);
    EXPECT_EQ(micro.size(), 2000u);
    EXPECT_EQ(micro.substr(0, 2), "µ");
}

TEST(StudyFileReader, LinesAfterTheDataAreNoted)
{
    StudyFileReader r("f", "a\r\n\r\n  \r\nb\r\nc\r\n\x1A");
    r.skipLine("a");
    r.noteUnreadLines();
    ASSERT_EQ(r.notes().total, 1u);
    EXPECT_EQ(r.notes().kept[0].line, 4);
    EXPECT_EQ(r.notes().kept[0].text, "il file continua dopo i dati: 2 righe non lette");

    StudyFileReader clean("f", "a\r\n\r\n\x1A\r\n");
    clean.skipLine("a");
    clean.noteUnreadLines();
    EXPECT_TRUE(clean.notes().empty());
}

TEST(StudyFileReader, SixteenMegabytesOfEmptyLinesAreReadLineByLine)
{
    // the lines are never all held at once: reading is as cheap as the file
    std::string contents = "Kestra for Windows\r\n3\r\n3\r\n2\r\n";
    contents.append(15 * 1024 * 1024, '\n');
    StudyFileReader r("f", std::move(contents));
    r.readFormat(kThreeThree);
    r.readLayout();
    for (int i = 0; i < 6; ++i) r.skipLine("una riga");
    const auto fault = faultOf([&] { r.readInteger("il numero di misure", 5, 99); });
    EXPECT_EQ(fault.first, 11);
    r.noteUnreadLines();
    EXPECT_TRUE(r.notes().empty());
}

TEST(ReadingWarning, TenPlacesThenHowManyMore)
{
    ReadingNotes notes;
    EXPECT_EQ(ReadingWarningText(notes), "");
    notes.add(14, "\"0,412\" letto come 0");
    EXPECT_EQ(ReadingWarningText(notes),
              "Alcuni valori del file non sono stati letti come scritti:\nriga 14: \"0,412\" letto come 0");
    for (int i = 0; i < 200; ++i) notes.add(20 + i, "x");
    EXPECT_EQ(notes.kept.size(), ReadingNotes::kMaxKept);
    const std::string text = ReadingWarningText(notes);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 11);
    EXPECT_NE(text.find("\nriga 28: x\n... e altri 191"), std::string::npos) << text;
}

TEST(ReadingWarning, TheSameNoteOnTheSameLineIsCountedOnce)
{
    ReadingNotes notes;
    for (int i = 0; i < 891; ++i) notes.add(12, "campo vuoto letto come 0");
    notes.add(13, "campo vuoto letto come 0");
    EXPECT_EQ(notes.total, 2u);
    EXPECT_EQ(ReadingWarningText(notes),
              "Alcuni valori del file non sono stati letti come scritti:\n"
              "riga 12: campo vuoto letto come 0 (891 volte)\n"
              "riga 13: campo vuoto letto come 0");
}

TEST(ReadingWarning, PlacesAreListedInTheOrderOfTheFile)
{
    ReadingNotes notes;
    notes.add(20, "b");
    notes.add(4, "a");
    EXPECT_EQ(ReadingWarningText(notes),
              "Alcuni valori del file non sono stati letti come scritti:\nriga 4: a\nriga 20: b");
}

TEST(SystemErrors, AreGivenInItalian)
{
    EXPECT_EQ(SystemErrorText(ENOENT), "file o cartella inesistente");
    EXPECT_EQ(SystemErrorText(EACCES), "permesso negato");
    EXPECT_EQ(SystemErrorText(ENOSPC), "spazio esaurito sul disco");
    EXPECT_EQ(SystemErrorText(EROFS), "file system di sola lettura");
    EXPECT_EQ(SystemErrorText(EISDIR), "è una cartella");
    EXPECT_EQ(SystemErrorText(ENAMETOOLONG), "nome del file troppo lungo");
    EXPECT_EQ(SystemErrorText(EPERM), "operazione non permessa");
    EXPECT_EQ(SystemErrorText(std::make_error_code(std::errc::no_space_on_device)),
              "spazio esaurito sul disco");
    EXPECT_EQ(SystemErrorText(9999), "errore di sistema n. 9999");
}

}  // namespace
}  // namespace kestra
