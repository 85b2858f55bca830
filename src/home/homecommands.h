#pragma once

// The home window's command indexes: one number names a button of its ClickBotn array and the
// command that ClickBotn_Click runs for it.

namespace home {

// The commands of ClickBotn, by the index of the button and of ClickBotn_Click. The pairs of
// the start page and the tab strip run one command; replays after an exercise use the tab's.
namespace cmd {
    inline constexpr int MinimiseStart = 2;
    inline constexpr int ExitStart = 3;
    inline constexpr int UnitsStart = 4;
    inline constexpr int PapersStart = 5;
    inline constexpr int FavouritesStart = 6;
    inline constexpr int WrongBookStart = 7;
    inline constexpr int Update = 8;
    inline constexpr int Help = 11;
    inline constexpr int WebLink = 12;
    inline constexpr int MinimiseTab = 13;
    inline constexpr int ExitTab = 14;
    inline constexpr int StartPageTab = 15;
    inline constexpr int UnitsTab = 16;
    inline constexpr int PapersTab = 17;
    inline constexpr int FavouritesTab = 18;
    inline constexpr int WrongBookTab = 19;
    inline constexpr int StartUnitPractice = 20;
    inline constexpr int NewRandomPaper = 21;
    inline constexpr int StartFavourites = 22;
    inline constexpr int ClearFavourites = 23;
    inline constexpr int StartWrongBook = 24;
    inline constexpr int ClearWrongBook = 25;
    inline constexpr int SprintPapers = 28; // the four paper lists, 28 to 31
    inline constexpr int MockPapers = 29;
    inline constexpr int NewRandomPaperPage = 30;
    inline constexpr int RandomPapers = 31;
    inline constexpr int FirstHelpTopic = 32; // topics 0 to 4
    inline constexpr int LastHelpTopic = 36;
    inline constexpr int FirstUnitScope = 37; // all, learned, unlearned questions
    inline constexpr int LastUnitScope = 39;
    inline constexpr int FirstGroupToggle = 40; // favourites 40, 41; wrong-question book 42, 43
    inline constexpr int LastGroupToggle = 43;
    inline constexpr int UnitPage1 = 47; // units 1 to 10
    inline constexpr int UnitPage2 = 48; // units 11 and up
    inline constexpr int AllUnits = 49;
    inline constexpr int FirstUnit = 50; // unit u is FirstUnit + u
    inline constexpr int LastUnit = 69;
    inline constexpr int FirstPaper
        = 70; // paper p is FirstPaper + p: fixed 0 to 19, random 20 to 29
    inline constexpr int LastPaper = 99;
}

} // namespace home
