// The word-list reader: what it folds and keeps, and every refusal with its line.
#include <gtest/gtest.h>

#include <string>

#include "maker/WordList.h"

namespace zx {
namespace {

TEST(WordList, FoldsUmlautsAndKeepsOptionsAndClues) {
    const std::string text = "\xEF\xBB\xBF[begriffe]\n"
                             "; Kommentar\n"
                             "\n"
                             "Käse = Milchprodukt\r\n"
                             "Straße [s v] : Verkehrsweg = breit\n"
                             "ÖL\n";
    std::vector<TWordLine> words;
    TWordListError error;
    ASSERT_TRUE(ReadWordList(text, false, words, error)) << error.Message;
    ASSERT_EQ(words.size(), 3u);
    EXPECT_EQ(words[0].Answer, "KAESE");
    EXPECT_EQ(words[0].Clue, "Milchprodukt");
    EXPECT_EQ(words[0].Line, 4);
    EXPECT_EQ(words[1].Answer, "STRASSE");
    EXPECT_EQ(words[1].Clue, "Verkehrsweg = breit");
    EXPECT_EQ(words[1].Dir, TWordDir::Down);
    EXPECT_TRUE(words[1].Hidden);
    EXPECT_EQ(words[2].Answer, "OEL");
    EXPECT_TRUE(words[2].Clue.empty());
}

TEST(WordList, RefusesBadListsNamingTheLine) {
    std::string many;
    for (int i = 0; i < 202; ++i)
        many += "W" + std::string(1, char('A' + i % 26)) + std::string(1, char('A' + i / 26)) +
                " = x\n";
    const struct {
        const char* Name;
        std::string Text;
        bool ClueNeeded;
        int Line;
        const char* Message;
    } cases[] = {
        {"empty list", "; nur ein Kommentar\n\n", false, 0, "keinen Begriff"},
        {"word too long", "HAUS = a\nDONAUDAMPFSCHIFFFAHRT = b\n", false, 2,
         "länger als 15 Buchstaben"},
        {"clue too long", "HAUS = " + std::string(51, 'x') + "\n", false, 1,
         "Umschreibung ist länger als 50 Zeichen"},
        {"duplicate after folding", "Käse = a\nKAESE = b\n", false, 2, "steht schon in Zeile 1"},
        {"more than 201 words", many, false, 202, "mehr als 201 Begriffe"},
        {"digit in a word", "HAUS2 = a\n", false, 1, "nur Buchstaben"},
        {"one letter", "A = a\n", false, 1, "mindestens 2 Buchstaben"},
        {"missing clue", "HAUS = Gebäude\nMAUS\n", true, 2, "Umschreibung zu MAUS fehlt"},
        {"unknown option", "HAUS [x] = a\n", false, 1, "unbekannte Option \"x\""},
        {"no Windows-1252 form", "HAUS = \xE2\x82\xAC ok \xE2\x98\x83\n", false, 1, "Windows-1252"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        std::vector<TWordLine> words;
        TWordListError error;
        EXPECT_FALSE(ReadWordList(c.Text, c.ClueNeeded, words, error));
        EXPECT_EQ(error.Line, c.Line);
        EXPECT_NE(error.Message.find(c.Message), std::string::npos) << error.Message;
    }
}

} // namespace
} // namespace zx
