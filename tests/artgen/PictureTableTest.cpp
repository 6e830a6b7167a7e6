#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tools/artgen/PictureTable.h"

namespace artgen {
namespace {

std::vector<std::string> Expand(const std::string& text) {
  std::vector<std::string> out;
  std::string error;
  EXPECT_TRUE(ExpandBraces(text, out, error)) << text << ": " << error;
  return out;
}

std::string ExpandError(const std::string& text) {
  std::vector<std::string> out;
  std::string error;
  EXPECT_FALSE(ExpandBraces(text, out, error)) << text;
  return error;
}

std::vector<int> ErrorLines(const PictureTable& table) {
  std::vector<int> lines;
  for (const TableError& e : table.errors) lines.push_back(e.line);
  return lines;
}

TEST(BraceExpansion, RangesCountBothEndsAndKeepZeroPadding) {
  std::vector<std::string> cards = Expand("Card-{0..54}");
  ASSERT_EQ(cards.size(), 55u);
  EXPECT_EQ(cards.front(), "Card-0");
  EXPECT_EQ(cards.back(), "Card-54");

  std::vector<std::string> frames = Expand("gaopai_{00000..00011}.png");
  ASSERT_EQ(frames.size(), 12u);
  EXPECT_EQ(frames.front(), "gaopai_00000.png");
  EXPECT_EQ(frames.back(), "gaopai_00011.png");

  // "Digital-1_0%d" with 1..10 ends in "_010", not "_10".
  EXPECT_EQ(Expand("Digital-1_0{1..10}").back(), "Digital-1_010");
}

TEST(BraceExpansion, AlternativesMayBeEmptyAndGroupsMultiply) {
  EXPECT_EQ(Expand("Table/exit{,_pressed,_hover}"),
            (std::vector<std::string>{"Table/exit", "Table/exit_pressed", "Table/exit_hover"}));
  EXPECT_EQ(Expand("a{1,2}b{x,y}"), (std::vector<std::string>{"a1bx", "a1by", "a2bx", "a2by"}));
  EXPECT_EQ(Expand("s{a,{b,c}}"), (std::vector<std::string>{"sa", "sb", "sc"}));
  EXPECT_EQ(Expand("plain"), (std::vector<std::string>{"plain"}));
}

TEST(BraceExpansion, MalformedGroupsAreRefused) {
  EXPECT_NE(ExpandError("Card-{0..54"), "");
  EXPECT_NE(ExpandError("Card-0..54}"), "");
  EXPECT_NE(ExpandError("x{5..2}"), "");
  EXPECT_NE(ExpandError("x{a..b}"), "");
  EXPECT_NE(ExpandError("x{0..99999}"), "");
  EXPECT_NE(ExpandError("{0..99}{0..99}"), "");
}

TEST(TableRows, CaptionsAndColoursFollowTheNamesInStep) {
  PictureTable t = ParseTable("status_{2..4}\t18x18\ticon\t{坐,准,观}\t{steel,green,#102030}\tClientGame/UserStatus\n");
  ASSERT_TRUE(t.errors.empty()) << t.errors[0].message;
  ASSERT_EQ(t.pictures.size(), 3u);
  EXPECT_EQ(t.pictures[1].name, "status_3");
  EXPECT_EQ(t.pictures[1].caption, "准");
  EXPECT_EQ(t.pictures[2].caption, "观");
  ASSERT_EQ(t.pictures[2].colours.size(), 1u);
  EXPECT_EQ(t.pictures[2].colours[0].g, 0x20);
  EXPECT_EQ(t.pictures[2].index, 2);
  EXPECT_EQ(t.pictures[2].count, 3);
  EXPECT_EQ(t.pictures[0].sheet, "ClientGame/UserStatus");

  // A field without a group is shared by every member.
  PictureTable shared = ParseTable("Table/exit{,_pressed,_hover}\t60x22\tbutton\t退出\tred,white\n");
  ASSERT_EQ(shared.pictures.size(), 3u);
  EXPECT_EQ(shared.pictures[2].caption, "退出");
  EXPECT_EQ(shared.pictures[2].colours.size(), 2u);
}

TEST(TableRows, AtlasWidthIsCellsTimesCharacters) {
  PictureTable t = ParseTable(
      "Land/theEnd/nember5\t19x25\tdigits\n"
      "Signed\t10x12\tdigits:0123456789-+\n");
  ASSERT_TRUE(t.errors.empty());
  ASSERT_EQ(t.pictures.size(), 2u);
  EXPECT_EQ(t.pictures[0].width, 190);
  EXPECT_EQ(t.pictures[0].height, 25);
  EXPECT_EQ(t.pictures[0].cellWidth, 19);
  EXPECT_EQ(t.pictures[1].width, 120);
}

TEST(TableRows, ClearRowsMakeThePictureTallerOnOneSide) {
  PictureTable t = ParseTable(
      "w\t200x56+below244\tanim\n"
      "b\t120x28+above100\tpanel\n");
  ASSERT_TRUE(t.errors.empty());
  ASSERT_EQ(t.pictures.size(), 2u);
  EXPECT_EQ(t.pictures[0].height, 300);
  EXPECT_EQ(t.pictures[0].clearBelow, 244);
  EXPECT_EQ(t.pictures[0].clearAbove, 0);
  EXPECT_EQ(t.pictures[1].height, 128);
  EXPECT_EQ(t.pictures[1].clearAbove, 100);
  for (const char* bad : {"10x10+\tfill\n", "10x10+above\tfill\n", "10x10+above0\tfill\n", "10x10+lft5\tfill\n",
                          "10x10+above-3\tfill\n", "10x4000+below100\tfill\n", "10x12+above4\tdigits\n"})
    EXPECT_FALSE(ParseTable(bad).errors.empty()) << bad;
}

// Clear rows on both sides and clear columns on both sides, each side once.
TEST(TableRows, ClearSidesCombine) {
  PictureTable t = ParseTable("s\t330x130+above90+below20+left30+right570\tpanel\n");
  ASSERT_TRUE(t.errors.empty());
  ASSERT_EQ(t.pictures.size(), 1u);
  EXPECT_EQ(t.pictures[0].width, 930);
  EXPECT_EQ(t.pictures[0].height, 240);
  EXPECT_EQ(t.pictures[0].clearAbove, 90);
  EXPECT_EQ(t.pictures[0].clearBelow, 20);
  EXPECT_EQ(t.pictures[0].clearLeft, 30);
  EXPECT_EQ(t.pictures[0].clearRight, 570);
  for (const char* bad : {"10x10+above4+above4\tfill\n", "10x10+right4+\tfill\n", "4090x10+right10\tfill\n",
                          "4090x10+left4+right4\tfill\n", "10x12+right4\tdigits\n", "10x12+left4\tdigits\n"})
    EXPECT_FALSE(ParseTable(bad).errors.empty()) << bad;
}

TEST(TableRows, FilesKeepTheExtensionTheNameAsksFor) {
  PictureTable t = ParseTable(
      "Land/3{click_button,across_button.jpg,ban_button}\t110x46\tbutton:npd\t3分\n"
      "DZShowHand/scorebg.png\t140x34\tpanel\n");
  ASSERT_TRUE(t.errors.empty());
  EXPECT_EQ(t.pictures[0].FilePath(), "Land/3click_button.png");
  EXPECT_EQ(t.pictures[1].FilePath(), "Land/3across_button.jpg");
  EXPECT_EQ(t.pictures[3].FilePath(), "DZShowHand/scorebg.png");
}

TEST(TableRows, FormPanelsTakeTheirFieldCaptions) {
  PictureTable t = ParseTable(
      "UserInfo/gr\t460x400\tpanel:form\t78,42,帐号;111,87,>男;\n"  // 1
      "Bad/form\t10x10\tpanel:form\t78,帐号\n"                      // 2 no Y
      "Bad/empty\t10x10\tpanel:form\t7,8,>\n"                       // 3 no text
      "Bad/param\t10x10\tpanel:wide\n");                            // 4
  ASSERT_EQ(t.pictures.size(), 1u);
  ASSERT_EQ(t.errors.size(), 3u);
  EXPECT_EQ(t.errors[0].line, 2);
  EXPECT_EQ(t.errors[2].line, 4);
  std::vector<FormCaption> captions;
  std::string error;
  ASSERT_TRUE(ParseFormCaptions(t.pictures[0].caption, captions, error)) << error;
  ASSERT_EQ(captions.size(), 2u);
  EXPECT_EQ(captions[0].x, 78);
  EXPECT_EQ(captions[0].y, 42);
  EXPECT_FALSE(captions[0].leftAligned);
  EXPECT_EQ(captions[0].text, "帐号");
  EXPECT_TRUE(captions[1].leftAligned);
  EXPECT_EQ(captions[1].text, "男");
}

TEST(TableRows, BackgroundFramesTakeTheirRectanglesInsideThePicture) {
  PictureTable t = ParseTable(
      "T/bg\t400x300\tbg:frames\t20,30,100,50,玄武;;280,30,100,50,麒麟\n"  // 1
      "Bad/shape\t400x300\tbg:frames\t20,30,100,玄武\n"                   // 2 no height
      "Bad/out\t400x300\tbg:frames\t350,30,100,50,玄武\n"                 // 3 past the right edge
      "Bad/text\t400x300\tbg:frames\t20,30,100,50,\n"                     // 4 no name
      "Bad/param\t400x300\tbg:areas\n");                                   // 5
  ASSERT_EQ(t.pictures.size(), 1u);
  ASSERT_EQ(t.errors.size(), 4u);
  EXPECT_EQ(t.errors[1].line, 3);
  std::vector<FrameCaption> frames;
  std::string error;
  ASSERT_TRUE(ParseFrameCaptions(t.pictures[0].caption, frames, error)) << error;
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[1].x, 280);
  EXPECT_EQ(frames[1].y, 30);
  EXPECT_EQ(frames[1].width, 100);
  EXPECT_EQ(frames[1].height, 50);
  EXPECT_EQ(frames[1].text, "麒麟");
}

TEST(TableRows, CommentsBlankLinesDashesAndCrlfAreAccepted) {
  PictureTable t = ParseTable(
      "# a comment\r\n"
      "\r\n"
      "Chat/line\t4x4\tfill\t-\t-\t-\r\n"
      "   # indented comment\n"
      "Dialog/cancel_1\t100x36\tbutton\n");
  ASSERT_TRUE(t.errors.empty()) << t.errors[0].message;
  ASSERT_EQ(t.pictures.size(), 2u);
  EXPECT_EQ(t.pictures[0].caption, "");
  EXPECT_TRUE(t.pictures[0].colours.empty());
  EXPECT_EQ(t.pictures[0].sheet, "");
  EXPECT_EQ(t.pictures[1].line, 5);
}

TEST(TableRows, BadRowsAreReportedByLineAndGoodRowsKept) {
  PictureTable t = ParseTable(
      "Good/one\t10x10\tfill\n"                              // 1
      "Bad/kind\t10x10\tsprocket\n"                          // 2 unknown kind
      "Bad/size\t10by10\tfill\n"                             // 3 bad size
      "Bad/count{1..3}\t10x10\ticon\t{a,b}\n"                // 4 captions do not match
      "Card-{54..55}\t97x130\tcard\t{54..55}\t-\tC/Cards\n"  // 5 card index 55
      "Good/one\t20x20\tfill\n"                              // 6 same file as line 1
      "Card-{0..1}\t97x130\tcard\t{0..1}\t-\tC/Cards\n"      // 7 fine
      "Card-1\t97x130\tcard\t1\t-\tC/Cards\n"                // 8 frame already in sheet
      "../escape\t10x10\tfill\n"                             // 9 leaves the folder
      "Short\t10x10\n"                                       // 10 too few columns
      "Bad/colour\t10x10\tfill\t-\tmauve\n"                  // 11 unknown colour
      "Bad/states{1,2}\t10x10\tbutton:nph\n"                 // 12 states do not match
      "C/Cards\t10x10\tfill\n"                               // 13 would overwrite the sheet
      "Good/two\t0x10\tfill\n"                               // 14 empty size
      "Cards-1\t97x130\tcard\t1\t-\tOther/Sheet\n");         // 15 fine: another sheet
  EXPECT_EQ(ErrorLines(t), (std::vector<int>{2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14}));
  std::vector<std::string> kept;
  for (const Picture& p : t.pictures) kept.push_back(p.name);
  EXPECT_EQ(kept, (std::vector<std::string>{"Good/one", "Card-0", "Card-1", "Cards-1"}));
}

TEST(TableRows, ButtonStatesComeFromTheParameter) {
  EXPECT_TRUE(ParseTable("b{1,2,3}\t10x10\tbutton:npd\n").errors.empty());
  EXPECT_TRUE(ParseTable("b{1,2,3,4}\t10x10\tbutton\n").errors.empty());
  EXPECT_FALSE(ParseTable("b{1..5}\t10x10\tbutton\n").errors.empty());
  EXPECT_FALSE(ParseTable("b\t10x10\tbutton:x\n").errors.empty());
  EXPECT_FALSE(ParseTable("b\t10x10\tfill:x\n").errors.empty());
}

TEST(TableRows, CardsAnimationsAndTablesTakeTheirParameters) {
  EXPECT_TRUE(ParseTable("Cards-{0..54}\t104x138\tcard:four\t{0..54}\n").errors.empty());
  EXPECT_TRUE(ParseTable("shengli_{0..9}\t136x36\tanim:frame\t胜利\n").errors.empty());
  EXPECT_FALSE(ParseTable("Cards-1\t104x138\tcard:frame\t1\n").errors.empty());
  EXPECT_FALSE(ParseTable("shengli_0\t136x36\tanim:four\n").errors.empty());
  EXPECT_TRUE(ParseTable("T\t1000x700\ttable:45\n").errors.empty());
  EXPECT_FALSE(ParseTable("T\t1000x700\ttable:250\n").errors.empty());
  EXPECT_FALSE(ParseTable("T\t1000x700\ttable:wide\n").errors.empty());
  // Signs on a card's foot, names on an area's foot.
  EXPECT_TRUE(ParseTable("sign\t96x108\ttext:foot\t5点\n").errors.empty());
  EXPECT_TRUE(ParseTable("door\t190x188\tpanel:foot\t天门\n").errors.empty());
  EXPECT_TRUE(ParseTable("banner\t300x144\ttext:head\t白虎\n").errors.empty());
  EXPECT_FALSE(ParseTable("sign\t96x108\ttext:left\t5点\n").errors.empty());
}

TEST(TableRows, GridsTakeColumnsAndRowsOfCellsThatFit) {
  EXPECT_TRUE(ParseTable("g\t20x62\tgrid:2x6\n").errors.empty());
  EXPECT_FALSE(ParseTable("g\t20x62\tgrid\n").errors.empty());
  EXPECT_FALSE(ParseTable("g\t20x62\tgrid:2\n").errors.empty());
  EXPECT_FALSE(ParseTable("g\t20x62\tgrid:0x6\n").errors.empty());
  // Cells of fewer than three pixels have no middle.
  EXPECT_FALSE(ParseTable("g\t20x62\tgrid:8x6\n").errors.empty());
}

TEST(TableFiles, SeveralTablesAreOneTableWithErrorsNamedByFileAndLine) {
  namespace fs = std::filesystem;
  fs::path root = fs::temp_directory_path() / ("artgen-tables-" + std::to_string(getpid()));
  fs::create_directories(root / "Game");
  std::ofstream(root / "pictures.tsv") << "# shared\nshared\t4x4\tfill\n";
  std::ofstream(root / "Game" / "pictures.tsv") << "own\t4x4\tfill\n\nshared\t4x4\tfill\n";
  std::ofstream(root / "Empty") << "not a folder\n";

  std::vector<std::string> tables = TablesUnder(root.string());
  ASSERT_EQ(tables.size(), 2u);
  EXPECT_EQ(fs::path(tables[0]), root / "pictures.tsv");

  PictureTable table;
  ASSERT_TRUE(LoadTables(tables, table));
  EXPECT_EQ(table.pictures.size(), 2u);
  ASSERT_EQ(table.errors.size(), 1u) << "a picture written by two tables is refused";
  EXPECT_EQ(fs::path(table.errors[0].file), root / "Game" / "pictures.tsv");
  EXPECT_EQ(table.errors[0].line, 3);

  std::string failed;
  EXPECT_FALSE(LoadTables({(root / "missing.tsv").string()}, table, &failed));
  EXPECT_EQ(failed, (root / "missing.tsv").string());
  std::error_code ec;
  fs::remove_all(root, ec);
}

}  // namespace
}  // namespace artgen
