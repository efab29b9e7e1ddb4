<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name></name>
    <message id="menu.game">
        <source>&amp;Game</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.game.new">
        <source>&amp;New...</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.game.open">
        <source>&amp;Open...</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.game.save">
        <source>&amp;Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.game.save_as">
        <source>Save &amp;As...</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.game.print">
        <source>&amp;Print...</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.game.print_preview">
        <source>Print Pre&amp;view</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.game.print_setup">
        <source>P&amp;rint Setup...</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.game.recent_file">
        <source>Recent File</source>
        <extracomment>Shown, grayed, in place of the recently opened games while there are none.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.game.exit">
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.view">
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.view.toolbar">
        <source>&amp;Toolbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.view.status_bar">
        <source>&amp;Status Bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.view.high_scores">
        <source>&amp;High Scores...</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.options">
        <source>&amp;Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.options.pause">
        <source>&amp;Pause</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.options.sound_off">
        <source>&amp;Sound Off</source>
        <extracomment>Checked while the sounds are off.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.options.auto_resize">
        <source>&amp;Auto Resize</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.help">
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.help.about">
        <source>&amp;About Coilix...</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="toolbar.more">
        <source>More Buttons</source>
        <extracomment>What a screen reader calls the button that shows the toolbar&apos;s hidden buttons.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="board.name">
        <source>Board</source>
        <extracomment>What a screen reader calls the board.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="128">
        <source>Coilix
Game
Coilix
Coilix Game Files (*.cx)
.cx
Coilix.Document
Coilix Document</source>
        <extracomment>The document string, fields split by line feeds: the window title, the name of an untitled game (the file name offered when saving), the program, the file type&apos;s name in the file dialogs, its extension; the last two fields are never shown.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="200">
        <source>Score: %ld</source>
        <extracomment>The score in the status bar; %ld is the number.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="201">
        <source>Game over</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="202">
        <source>Playing...</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="203">
        <source>Pause</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="204">
        <source>New high score</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="205">
        <source>Toolbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="57344">
        <source>Coilix</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="57345">
        <source>Ready</source>
        <extracomment>The status bar when nothing else is said.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="32771">
        <source>Display high scores table
High Scores</source>
        <extracomment>A command&apos;s prompt in the status bar, a line feed, then its tooltip.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="32772">
        <source>Enable and disable sounds
Sounds</source>
        <extracomment>A command&apos;s prompt in the status bar, a line feed, then its tooltip.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="32773">
        <source>Stop and continue game
Pause</source>
        <extracomment>A command&apos;s prompt in the status bar, a line feed, then its tooltip.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="32777">
        <source>Start a new game
New game</source>
        <extracomment>A command&apos;s prompt in the status bar, a line feed, then its tooltip.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="57600">
        <source>Start a new game
New game</source>
        <extracomment>A command&apos;s prompt in the status bar, a line feed, then its tooltip.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="32778">
        <source>Automatically resize to fit
Auto Resize</source>
        <extracomment>A command&apos;s prompt in the status bar, a line feed, then its tooltip.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="57664">
        <source>Display the program&apos;s version and copyright
About Coilix</source>
        <extracomment>A command&apos;s prompt in the status bar, a line feed, then its tooltip.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="57601">
        <source>Open an existing game
Open game</source>
        <extracomment>A command&apos;s prompt in the status bar, a line feed, then its tooltip.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="57603">
        <source>Save the game
Save game</source>
        <extracomment>A command&apos;s prompt in the status bar, a line feed, then its tooltip.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="57604">
        <source>Save the game with a new name
Save As</source>
        <extracomment>A command&apos;s prompt in the status bar, a line feed, then its tooltip.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="57606">
        <source>Change the printer and printing options
Print Setup</source>
        <extracomment>A command&apos;s prompt in the status bar, a line feed, then its tooltip.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="57607">
        <source>Print the board
Print</source>
        <extracomment>A command&apos;s prompt in the status bar, a line feed, then its tooltip.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="57609">
        <source>Display the full page
Print Preview</source>
        <extracomment>A command&apos;s prompt in the status bar, a line feed, then its tooltip.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="57616">
        <source>Open this game</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="57665">
        <source>Quit the application
Exit</source>
        <extracomment>A command&apos;s prompt in the status bar, a line feed, then its tooltip.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="59392">
        <source>Show or hide the toolbar
Toggle ToolBar</source>
        <extracomment>A command&apos;s prompt in the status bar, a line feed, then its tooltip.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="59393">
        <source>Show or hide the status bar
Toggle StatusBar</source>
        <extracomment>A command&apos;s prompt in the status bar, a line feed, then its tooltip.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="61440">
        <source>Cannot open the file %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="61441">
        <source>Unexpected file format.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="61442">
        <source>Not enough memory to open the file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="61443">
        <source>Cannot save the file %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="61444">
        <source>Please enter an integer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="61445">
        <source>Please enter an integer between %1 and %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="61448">
        <source>The settings file %1 was larger than a settings file can be. It is kept as %2; the scores and settings in it were read from it and are still used.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="61449">
        <source>The settings file %1 cannot be read (%2). The default settings are used, and nothing is saved to it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="61450">
        <source>Some lines of the settings file %1 could not be read and were left out (%2). Everything else was kept. The file as it was is kept as %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="61451">
        <source>Some lines of the settings file %1 could not be read (%2), and no copy of the file could be kept (%3). The file is left as it is, and nothing is saved to it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="61452">
        <source>The settings file %1 cannot be written (%2). Settings and scores are not saved there.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="61453">
        <source>The settings file %1 is in use by another program. What is to be saved waits, and is saved as soon as the file is free.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="61454">
        <source>The stored high scores of this board were damaged and have been replaced. The settings file as it was is kept as %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="61455">
        <source>line %1: %2</source>
        <extracomment>One line of the settings file that was left out: %1 its number, %2 its text.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="61456">
        <source>and %1 more</source>
        <extracomment>After a few such lines: how many more there are.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="62000">
        <source>About Coilix</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="62001">
        <source>Coilix Version %1</source>
        <extracomment>%1 is the version number.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="62002">
        <source>Copyright © 2026 Halvorn</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="62003">
        <source>Questions and ideas: coilix@halvorn.example</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="62040">
        <source>This program is free software under the GNU GPL, version 3 or later.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="62010">
        <source>High Scores</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="62011">
        <source>New High Score</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="62012">
        <source>Position</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="62013">
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="62014">
        <source>Score</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="62015">
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="62016">
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="62017">
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="62020">
        <source>New Game</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="62021">
        <source>Array size:</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="62022">
        <source>Width:</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="62023">
        <source>Height:</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="62024">
        <source>Speed:</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="62025">
        <source>Small</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="62026">
        <source>Large</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="62027">
        <source>Custom</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="62028">
        <source>Low</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="62029">
        <source>Normal</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="62030">
        <source>High</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="63000">
        <source>Usage: %1 [options] [%2]</source>
        <extracomment>The first line of --help: %1 is the program, %2 the name of a file (text 63010).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="63001">
        <source>Without a file, a new game starts; with one, that saved game opens, paused.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="63002">
        <source>Options:</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="63003">
        <source>Show this help and end.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="63004">
        <source>Show the version and end.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="63005">
        <source>Print a saved game on the default printer and end.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="63006">
        <source>Print a saved game on the named printer and end;
a name ending in .pdf writes a PDF file of that name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="63007">
        <source>The same as --print (also -p, in any case).</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="63008">
        <source>The same as --print-to (also -pt, in any case).</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="63009">
        <source>Qt&apos;s own options, such as -platform NAME and -style NAME, are passed on to Qt.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="63010">
        <source>FILE.cx</source>
        <extracomment>How --help names a saved-game file and a printer; written as placeholders, in capitals.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="63011">
        <source>PRINTER</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="63012">
        <source>unknown option %1</source>
        <extracomment>A command-line error, on the error output after &quot;coilix: &quot;, so in lower case; %1 is what was typed.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="63013">
        <source>%1 needs a value</source>
        <extracomment>A command-line error, on the error output after &quot;coilix: &quot;, so in lower case; %1 is what was typed.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="63018">
        <source>%1 needs a file name</source>
        <extracomment>A command-line error, on the error output after &quot;coilix: &quot;, so in lower case; %1 is what was typed.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="63014">
        <source>--print-to needs a file name and a printer name</source>
        <extracomment>A command-line error, on the error output after &quot;coilix: &quot;, so in lower case.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="63015">
        <source>unexpected argument %1</source>
        <extracomment>A command-line error, on the error output after &quot;coilix: &quot;, so in lower case; %1 is what was typed.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="63016">
        <source>Try &apos;%1 --help&apos; for more information.</source>
        <extracomment>After a command-line error; %1 is the program&apos;s name.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="63017">
        <source>cannot show the window: there is no display (neither DISPLAY nor WAYLAND_DISPLAY is set)</source>
        <extracomment>On the error output, after &quot;coilix: &quot;; lower case, as the other errors there.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="63020">
        <source>There is no printer named %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="63021">
        <source>There is no default printer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="63022">
        <source>Cannot print to %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="63030">
        <source>All Files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="desktop.Name">
        <source>Coilix</source>
        <extracomment>The desktop menu&apos;s name of the game.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="desktop.GenericName">
        <source>Arcade Game</source>
        <extracomment>The desktop menu: what kind of program this is.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="desktop.Comment">
        <source>Steer the crawler, eat apples and coins, avoid walls and skulls</source>
        <extracomment>The desktop menu&apos;s tooltip: what the game is, in one line.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="desktop.Keywords">
        <source>snake;worm;crawler;arcade;game;apple;coin;high score;</source>
        <extracomment>Words a player may type into the desktop&apos;s search to find the game, each one followed by a semicolon (;).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="metainfo.name">
        <source>Coilix</source>
        <extracomment>Software centres: the name of the game.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="metainfo.summary">
        <source>Steer a hungry crawler across the board</source>
        <extracomment>Software centres: the game in one short line, no full stop.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="metainfo.description.1">
        <source>Coilix is an arcade game for one player. You steer a crawler with the arrow keys across a board of square cells. Apples make it longer, coins are worth 100 to 1000 points, and walls, skulls and the crawler&apos;s own body end the game. The crawler leaves droppings behind, and eating one costs points.</source>
        <extracomment>Software centres: a paragraph or list item of the description.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="metainfo.description.2">
        <source>A small or a large board, or any size from 5 × 5 to 70 × 70 cells</source>
        <extracomment>Software centres: a paragraph or list item of the description.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="metainfo.description.3">
        <source>Three speeds</source>
        <extracomment>Software centres: a paragraph or list item of the description.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="metainfo.description.4">
        <source>A table of the ten best scores for every board size and speed</source>
        <extracomment>Software centres: a paragraph or list item of the description.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="metainfo.description.5">
        <source>Games can be saved, opened again and printed</source>
        <extracomment>Software centres: a paragraph or list item of the description.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="metainfo.screenshot.1.caption">
        <source>A game in play on a custom board</source>
        <extracomment>Software centres: the caption of a screenshot.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="metainfo.screenshot.2.caption">
        <source>Choosing the board and the speed of a new game</source>
        <extracomment>Software centres: the caption of a screenshot.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="metainfo.release.1.1.1">
        <source>Coilix comes to Linux desktops: a menu entry, a file type for saved games, a manual page and a Debian package. The game is free software under the GNU GPL, version 3 or later.</source>
        <extracomment>Software centres: a paragraph of the notes of release 1.1.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="key.break">
        <source>Break</source>
        <extracomment>How the menu names the Pause key, beside the Pause item; keyboards label that key Pause or Break.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="63100">
        <source>It also held values of other programs (%1 in all); they were left out.</source>
        <extracomment>After the text of a settings file kept aside: %1 is how many values it held that belong to other programs.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="63101">
        <source>The settings file %1 is larger than a settings file can be, and cannot be kept aside (%2). The scores and settings in it are still used, but nothing is saved to it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="63102">
        <source>Some lines of the settings file %1 could not be read (%2), and the file cannot be written again without them (%3). A copy of it is kept as %4. Everything else in it is used, but nothing is saved to it.</source>
        <extracomment>%2 names the lines left out, %3 is the system&apos;s reason, %4 where the copy is.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="63103">
        <source>The settings file %1 would grow larger than a settings file can be read back. What was to be saved was not saved; the file stays as it was.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="63104">
        <source>The settings file %1 was still in use by another program. The settings and scores that waited for it were not saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="63105">
        <source>Coilix is closing, and not everything could be saved.</source>
        <extracomment>Above what went wrong with the settings file as the program ends.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="63106">
        <source>Ended by %1, and not everything could be saved: %2</source>
        <extracomment>One line on the error output: %1 names the signal that ended the program (SIGTERM), %2 says what went wrong with the settings file.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="mime.application/x-coilix-game">
        <source>Coilix game</source>
        <extracomment>File managers: the name of the file type of saved games, shown beside a file&apos;s name.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="bar.menu">
        <source>Menu Bar</source>
        <extracomment>What a screen reader calls the bar of menus at the top of the window.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="bar.size_grip">
        <source>Resize Window</source>
        <extracomment>What a screen reader calls the corner of the status bar that one drags to resize the window.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="63300">
        <source>cannot show the window: the display cannot be reached (%1)</source>
        <extracomment>On the error output, after &quot;coilix: &quot;; lower case, as the other errors there. %1 names the display variables that are set (&quot;DISPLAY=:1&quot;).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="menu.help.how_to_play">
        <source>&amp;How to Play...</source>
        <translation type="unfinished"></translation>
    </message>
    <message id="32800">
        <source>Explain the keys, the rules and the scoring
How to Play</source>
        <extracomment>A command&apos;s prompt in the status bar, a line feed, then its tooltip.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="63301">
        <source>How to Play</source>
        <extracomment>The title of the How to Play page, and its name for a screen reader.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="63302">
        <source>Steer the crawler across the board. Eat apples and coins, and keep away from the wall, the skulls and the crawler&apos;s own body.</source>
        <extracomment>The How to Play page&apos;s first paragraph.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="63303">
        <source>Keys
The arrow keys steer: the crawler moves on by itself, one cell at a time, the way you sent it last. A new game waits for the first arrow key and sets off that way.
The crawler cannot turn back on itself: an arrow pointing back the way it is going is ignored, and it goes straight on.
%1 pauses the game; %1 again or an arrow key plays on. The game also pauses when its window is minimised or another program takes the focus, but not while one of its own dialogs, such as this page, is open.
%2 starts a new game on the same board at the same speed; %3 lets you choose the board and the speed first.
%4 shows the high scores, %5 this page, and %6 quits.
A gamepad&apos;s direction pad or left stick steers as the arrow keys do; its Start button pauses.</source>
        <extracomment>The How to Play page: a heading on its own line, then the keys. %1 is the Pause key&apos;s name, as the Options menu shows it (&quot;Break&quot;); %2 the key of a new game (F2); %3 the menu item of the New Game dialog (&quot;Game &gt; New...&quot;); %4 the High Scores key (Ctrl+H); %5 the key of this page (F1); %6 the Exit key (Esc).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="63304">
        <source>What lies on the board
Apple: %1 points, and the crawler grows one cell longer.
Coin: %2 to %3 points.
Skull: running onto it ends the game.
Apples, coins and skulls turn up on free cells every few moves and vanish again after a while; skulls stay longer. A new skull never turns up straight ahead of the crawler&apos;s head.</source>
        <extracomment>The How to Play page: a heading on its own line, then the items. %1 is what an apple scores (100), %2 and %3 the least and the most a coin scores (100, 1000).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="63305">
        <source>Droppings
Now and then the crawler leaves a dropping behind its tail. Eating one costs %1 to %2 points and makes the crawler frown for %3 moves; the score can fall below zero. Droppings vanish after a while, too.</source>
        <extracomment>The How to Play page: a heading on its own line, then the droppings. %1 and %2 are the least and the most a dropping costs (100, 800), %3 how many moves the crawler frowns (7).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="63306">
        <source>What ends a game
Running into the wall, into the crawler&apos;s own body or onto a skull. Moving into the cell that the tail is just leaving is safe.</source>
        <extracomment>The How to Play page: a heading on its own line, then what ends a game.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="63307">
        <source>Boards and speeds
A Small board is %1 cells, a Large one %2; a Custom board may be %3 to %4 cells wide and high. At Low, Normal and High speed the crawler moves one cell every %5, %6 or %7 milliseconds.</source>
        <extracomment>The How to Play page: a heading on its own line, then the boards and speeds, named as the New Game dialog names them. %1 and %2 are the sizes of the Small and the Large board (&quot;17 × 13&quot;), %3 and %4 the least and the most cells a custom board&apos;s side may have (5, 70), %5, %6 and %7 the milliseconds per move at the speeds Low, Normal and High.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="63308">
        <source>High scores
Every board size and speed has its own table of the %1 best scores. When a game ends with a score above zero that beats the lowest score in the table, or while the table holds fewer than %1, you are asked for your name. A game opened from a file comes back paused (an arrow key plays on) and never enters the table.</source>
        <extracomment>The How to Play page: a heading on its own line, then the score tables. %1 is how many scores a table keeps (10).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message id="62018">
        <source>The score table cannot keep these characters: %1</source>
        <extracomment>Under the name box of the New High Score dialog, when the player typed or pasted characters that the score table cannot keep (its names are stored in a single-byte code page: 1250 for Czech, 1252 for English and German); they are not taken into the box. %1 is those characters, separated by spaces.</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
