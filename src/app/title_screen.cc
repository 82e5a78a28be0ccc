// The title screen: the title art, the slogan and the wait for Enter.
#include "app/title_screen.h"

#include <string_view>

#include "console/line_prompt.h"

namespace hoops {

namespace {

// "HOOPS" over "RANKING", six rows a word; each row has its own main character, denser
// towards the bottom.
constexpr std::string_view kTitleArt[] = {
    "             :::   :::  .:::::.   .:::::.  :::::::.   .:::::.",
    "             ;;;   ;;;`;;;' `;;;`;;;' `;;;`;;;'``;;;`;;;'  `'",
    "             [[[===[[[ [[[   [[[ [[[   [[[ [[[,,,[[' `[[[[[[,.",
    "             $$$\"\"\"$$$ $$$   $$$ $$$   $$$ $$$\"\"\"     ,,   $$$",
    "             888   888 `888o888' `888o888' 888       `88bo888P",
    "             MMM   MMM   \"YMMP\"    \"YMMP\"  MMM         \"YMMP\"",
    "     :::::::.    .:::.   :::.  :::.:::  .::.:::.:::.  :::  .,:::::.",
    "     ;;;'``;;;  ;;' ';;  ;;;;, ;;; ;;; ;;'  ;;; ;;;;, ;;;`;;;'   `'",
    "     [[[,,,[[',,[[   [[,,[[[ [[,[[ [[[[['   [[[ [[[ [[,[[ [[[  [[[[[",
    "     $$$$$$c   $$$ccc$$$ $$$  Y$$$ $$$$$,   $$$ $$$  Y$$$ $$$    \"$$",
    "     888  Y88b 888   888 888   Y88 888\"88o  888 888   Y88 `88bo,,o88",
    "     MMM   \"MM MMM   MMM MMM    YM MMM \"MMP MMM MMM    YM   \"YMMMMY\"",
};

}  // namespace

void showTitleScreen(std::istream& in, std::ostream& out) {
  out << "\n\n";
  for (std::string_view row : kTitleArt) out << row << '\n';
  out << '\n';
  out << "\t                       \"WINNERS DON'T DO DRUGS\"\n";
  out << "                        - Dorian Q. Whitmore, Director, FBI\n";
  out << '\n';
  out << "                               Press Enter to continue\n";
  out << '\n' << std::flush;  // the whole screen at once, before the wait
  waitForKey(in);             // any one key ends the wait; the rest of the line stays unread
}

}  // namespace hoops
