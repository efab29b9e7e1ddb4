<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="cs" sourcelanguage="en">
<context>
    <name></name>
    <message id="menu.game">
        <source>&amp;Game</source>
        <translation>&amp;Hra</translation>
    </message>
    <message id="menu.game.new">
        <source>&amp;New...</source>
        <translation>&amp;Nová...</translation>
    </message>
    <message id="menu.game.open">
        <source>&amp;Open...</source>
        <translation>&amp;Otevřít...</translation>
    </message>
    <message id="menu.game.save">
        <source>&amp;Save</source>
        <translation>&amp;Uložit</translation>
    </message>
    <message id="menu.game.save_as">
        <source>Save &amp;As...</source>
        <translation>Uložit j&amp;ako...</translation>
    </message>
    <message id="menu.game.print">
        <source>&amp;Print...</source>
        <translation>&amp;Tisk...</translation>
    </message>
    <message id="menu.game.print_preview">
        <source>Print Pre&amp;view</source>
        <translation>Ná&amp;hled</translation>
    </message>
    <message id="menu.game.print_setup">
        <source>P&amp;rint Setup...</source>
        <translation>&amp;Nastavení tisku...</translation>
    </message>
    <message id="menu.game.recent_file">
        <source>Recent File</source>
        <extracomment>Shown, grayed, in place of the recently opened games while there are none.</extracomment>
        <translation>Minulý soubor</translation>
    </message>
    <message id="menu.game.exit">
        <source>E&amp;xit</source>
        <translation>&amp;Konec</translation>
    </message>
    <message id="menu.view">
        <source>&amp;View</source>
        <translation>&amp;Zobrazit</translation>
    </message>
    <message id="menu.view.toolbar">
        <source>&amp;Toolbar</source>
        <translation>Panel &amp;nástrojů</translation>
    </message>
    <message id="menu.view.status_bar">
        <source>&amp;Status Bar</source>
        <translation>&amp;Stavový řádek</translation>
    </message>
    <message id="menu.view.high_scores">
        <source>&amp;High Scores...</source>
        <translation>&amp;Rekordy...</translation>
    </message>
    <message id="menu.options">
        <source>&amp;Options</source>
        <translation>&amp;Možnosti</translation>
    </message>
    <message id="menu.options.pause">
        <source>&amp;Pause</source>
        <translation>&amp;Přerušit</translation>
    </message>
    <message id="menu.options.sound_off">
        <source>&amp;Sound Off</source>
        <extracomment>Checked while the sounds are off.</extracomment>
        <translation>&amp;Vypnout zvuky</translation>
    </message>
    <message id="menu.options.auto_resize">
        <source>&amp;Auto Resize</source>
        <translation>&amp;Přizpůsobit velikost</translation>
    </message>
    <message id="menu.help">
        <source>&amp;Help</source>
        <translation>Nápo&amp;věda</translation>
    </message>
    <message id="menu.help.about">
        <source>&amp;About Coilix...</source>
        <translation>&amp;Co je Coilix...</translation>
    </message>
    <message id="toolbar.more">
        <source>More Buttons</source>
        <extracomment>What a screen reader calls the button that shows the toolbar&apos;s hidden buttons.</extracomment>
        <translation>Další tlačítka</translation>
    </message>
    <message id="board.name">
        <source>Board</source>
        <extracomment>What a screen reader calls the board.</extracomment>
        <translation>Hrací plocha</translation>
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
        <translation>Coilix
Hra
Coilix
Soubory hry Coilix (*.cx)
.cx
Coilix.Document
Coilix Document</translation>
    </message>
    <message id="200">
        <source>Score: %ld</source>
        <extracomment>The score in the status bar; %ld is the number.</extracomment>
        <translation>Skóre: %ld</translation>
    </message>
    <message id="201">
        <source>Game over</source>
        <translation>Konec hry</translation>
    </message>
    <message id="202">
        <source>Playing...</source>
        <translation>Hraji...</translation>
    </message>
    <message id="203">
        <source>Pause</source>
        <translation>Přerušeno</translation>
    </message>
    <message id="204">
        <source>New high score</source>
        <translation>Nový rekord</translation>
    </message>
    <message id="205">
        <source>Toolbar</source>
        <translation>Panel nástrojů</translation>
    </message>
    <message id="57344">
        <source>Coilix</source>
        <translation>Coilix</translation>
    </message>
    <message id="57345">
        <source>Ready</source>
        <extracomment>The status bar when nothing else is said.</extracomment>
        <translation>Připraven</translation>
    </message>
    <message id="32771">
        <source>Display high scores table
High Scores</source>
        <extracomment>A command&apos;s prompt in the status bar, a line feed, then its tooltip.</extracomment>
        <translation>Zobrazí tabulku rekordů
Rekordy</translation>
    </message>
    <message id="32772">
        <source>Enable and disable sounds
Sounds</source>
        <extracomment>A command&apos;s prompt in the status bar, a line feed, then its tooltip.</extracomment>
        <translation>Vypne nebo zapne zvuky
Zvuky</translation>
    </message>
    <message id="32773">
        <source>Stop and continue game
Pause</source>
        <extracomment>A command&apos;s prompt in the status bar, a line feed, then its tooltip.</extracomment>
        <translation>Přeruší nebo znovu spustí hru
Přerušit</translation>
    </message>
    <message id="32777">
        <source>Start a new game
New game</source>
        <extracomment>A command&apos;s prompt in the status bar, a line feed, then its tooltip.</extracomment>
        <translation>Začne novou hru
Nová hra</translation>
    </message>
    <message id="57600">
        <source>Start a new game
New game</source>
        <extracomment>A command&apos;s prompt in the status bar, a line feed, then its tooltip.</extracomment>
        <translation>Začne novou hru
Nová hra</translation>
    </message>
    <message id="32778">
        <source>Automatically resize to fit
Auto Resize</source>
        <extracomment>A command&apos;s prompt in the status bar, a line feed, then its tooltip.</extracomment>
        <translation>Automaticky přizpůsobí velikost okna
Přizpůsobit velikost</translation>
    </message>
    <message id="57664">
        <source>Display the program&apos;s version and copyright
About Coilix</source>
        <extracomment>A command&apos;s prompt in the status bar, a line feed, then its tooltip.</extracomment>
        <translation>Zobrazí verzi programu a autorská práva
Co je Coilix</translation>
    </message>
    <message id="57601">
        <source>Open an existing game
Open game</source>
        <extracomment>A command&apos;s prompt in the status bar, a line feed, then its tooltip.</extracomment>
        <translation>Otevře uloženou hru
Otevřít hru</translation>
    </message>
    <message id="57603">
        <source>Save the game
Save game</source>
        <extracomment>A command&apos;s prompt in the status bar, a line feed, then its tooltip.</extracomment>
        <translation>Uloží hru
Uložit hru</translation>
    </message>
    <message id="57604">
        <source>Save the game with a new name
Save As</source>
        <extracomment>A command&apos;s prompt in the status bar, a line feed, then its tooltip.</extracomment>
        <translation>Uloží hru pod novým jménem
Uložit jako</translation>
    </message>
    <message id="57606">
        <source>Change the printer and printing options
Print Setup</source>
        <extracomment>A command&apos;s prompt in the status bar, a line feed, then its tooltip.</extracomment>
        <translation>Změní tiskárnu a nastavení tisku
Nastavení tisku</translation>
    </message>
    <message id="57607">
        <source>Print the board
Print</source>
        <extracomment>A command&apos;s prompt in the status bar, a line feed, then its tooltip.</extracomment>
        <translation>Vytiskne hrací pole
Tisk</translation>
    </message>
    <message id="57609">
        <source>Display the full page
Print Preview</source>
        <extracomment>A command&apos;s prompt in the status bar, a line feed, then its tooltip.</extracomment>
        <translation>Zobrazí celou stránku
Náhled</translation>
    </message>
    <message id="57616">
        <source>Open this game</source>
        <translation>Otevře tuto hru</translation>
    </message>
    <message id="57665">
        <source>Quit the application
Exit</source>
        <extracomment>A command&apos;s prompt in the status bar, a line feed, then its tooltip.</extracomment>
        <translation>Ukončí aplikaci
Konec</translation>
    </message>
    <message id="59392">
        <source>Show or hide the toolbar
Toggle ToolBar</source>
        <extracomment>A command&apos;s prompt in the status bar, a line feed, then its tooltip.</extracomment>
        <translation>Zobrazí nebo skryje panel nástrojů
Panel nástrojů</translation>
    </message>
    <message id="59393">
        <source>Show or hide the status bar
Toggle StatusBar</source>
        <extracomment>A command&apos;s prompt in the status bar, a line feed, then its tooltip.</extracomment>
        <translation>Zobrazí nebo skryje stavový řádek
Stavový řádek</translation>
    </message>
    <message id="61440">
        <source>Cannot open the file %1.</source>
        <translation>Soubor %1 nelze otevřít.</translation>
    </message>
    <message id="61441">
        <source>Unexpected file format.</source>
        <translation>Neočekávaný formát souboru.</translation>
    </message>
    <message id="61442">
        <source>Not enough memory to open the file.</source>
        <translation>Pro otevření souboru není dost paměti.</translation>
    </message>
    <message id="61443">
        <source>Cannot save the file %1.</source>
        <translation>Soubor %1 nelze uložit.</translation>
    </message>
    <message id="61444">
        <source>Please enter an integer.</source>
        <translation>Zadejte celé číslo.</translation>
    </message>
    <message id="61445">
        <source>Please enter an integer between %1 and %2.</source>
        <translation>Zadejte celé číslo od %1 do %2.</translation>
    </message>
    <message id="61448">
        <source>The settings file %1 was larger than a settings file can be. It is kept as %2; the scores and settings in it were read from it and are still used.</source>
        <translation>Soubor s nastavením %1 byl větší, než soubor s nastavením může být. Je uschován jako %2; rekordy a nastavení z něj byly načteny a nadále se používají.</translation>
    </message>
    <message id="61449">
        <source>The settings file %1 cannot be read (%2). The default settings are used, and nothing is saved to it.</source>
        <translation>Soubor s nastavením %1 nelze přečíst (%2). Použije se výchozí nastavení a nic se do něj neuloží.</translation>
    </message>
    <message id="61450">
        <source>Some lines of the settings file %1 could not be read and were left out (%2). Everything else was kept. The file as it was is kept as %3.</source>
        <translation>Některé řádky souboru s nastavením %1 nelze přečíst, a byly proto vynechány (%2). Vše ostatní zůstalo zachováno. Původní soubor je uschován jako %3.</translation>
    </message>
    <message id="61451">
        <source>Some lines of the settings file %1 could not be read (%2), and no copy of the file could be kept (%3). The file is left as it is, and nothing is saved to it.</source>
        <translation>Některé řádky souboru s nastavením %1 nelze přečíst (%2) a kopii souboru nelze uschovat (%3). Soubor zůstane, jak je, a nic se do něj neuloží.</translation>
    </message>
    <message id="61452">
        <source>The settings file %1 cannot be written (%2). Settings and scores are not saved there.</source>
        <translation>Do souboru s nastavením %1 nelze zapisovat (%2). Nastavení a rekordy se do něj neuloží.</translation>
    </message>
    <message id="61453">
        <source>The settings file %1 is in use by another program. What is to be saved waits, and is saved as soon as the file is free.</source>
        <translation>Soubor s nastavením %1 používá jiný program. Co se má uložit, počká a uloží se, jakmile bude soubor volný.</translation>
    </message>
    <message id="61454">
        <source>The stored high scores of this board were damaged and have been replaced. The settings file as it was is kept as %1.</source>
        <translation>Uložené rekordy tohoto hracího pole byly poškozené a byly nahrazeny. Původní soubor s nastavením je uschován jako %1.</translation>
    </message>
    <message id="61455">
        <source>line %1: %2</source>
        <extracomment>One line of the settings file that was left out: %1 its number, %2 its text.</extracomment>
        <translation>řádek %1: %2</translation>
    </message>
    <message id="61456">
        <source>and %1 more</source>
        <extracomment>After a few such lines: how many more there are.</extracomment>
        <translation>a dalších %1</translation>
    </message>
    <message id="62000">
        <source>About Coilix</source>
        <translation>Co je Coilix</translation>
    </message>
    <message id="62001">
        <source>Coilix Version %1</source>
        <extracomment>%1 is the version number.</extracomment>
        <translation>Coilix Verze %1</translation>
    </message>
    <message id="62002">
        <source>Copyright © 2026 Halvorn</source>
        <translation>Copyright © 2026 Halvorn</translation>
    </message>
    <message id="62003">
        <source>Questions and ideas: coilix@halvorn.example</source>
        <translation>Dotazy a nápady: coilix@halvorn.example</translation>
    </message>
    <message id="62040">
        <source>This program is free software under the GNU GPL, version 3 or later.</source>
        <translation>Tento program je svobodný software pod licencí GNU GPL verze 3 nebo novější.</translation>
    </message>
    <message id="62010">
        <source>High Scores</source>
        <translation>Rekordy</translation>
    </message>
    <message id="62011">
        <source>New High Score</source>
        <translation>Nový rekord</translation>
    </message>
    <message id="62012">
        <source>Position</source>
        <translation>Pozice</translation>
    </message>
    <message id="62013">
        <source>Name</source>
        <translation>Jméno</translation>
    </message>
    <message id="62014">
        <source>Score</source>
        <translation>Skóre</translation>
    </message>
    <message id="62015">
        <source>Close</source>
        <translation>Zavřít</translation>
    </message>
    <message id="62016">
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message id="62017">
        <source>Cancel</source>
        <translation>Storno</translation>
    </message>
    <message id="62020">
        <source>New Game</source>
        <translation>Nová hra</translation>
    </message>
    <message id="62021">
        <source>Array size:</source>
        <translation>Velikost pole:</translation>
    </message>
    <message id="62022">
        <source>Width:</source>
        <translation>Šířka:</translation>
    </message>
    <message id="62023">
        <source>Height:</source>
        <translation>Výška:</translation>
    </message>
    <message id="62024">
        <source>Speed:</source>
        <translation>Rychlost:</translation>
    </message>
    <message id="62025">
        <source>Small</source>
        <translation>Malá</translation>
    </message>
    <message id="62026">
        <source>Large</source>
        <translation>Velká</translation>
    </message>
    <message id="62027">
        <source>Custom</source>
        <translation>Dle nastavení</translation>
    </message>
    <message id="62028">
        <source>Low</source>
        <translation>Nízká</translation>
    </message>
    <message id="62029">
        <source>Normal</source>
        <translation>Střední</translation>
    </message>
    <message id="62030">
        <source>High</source>
        <translation>Vysoká</translation>
    </message>
    <message id="63000">
        <source>Usage: %1 [options] [%2]</source>
        <extracomment>The first line of --help: %1 is the program, %2 the name of a file (text 63010).</extracomment>
        <translation>Použití: %1 [volby] [%2]</translation>
    </message>
    <message id="63001">
        <source>Without a file, a new game starts; with one, that saved game opens, paused.</source>
        <translation>Bez souboru začne nová hra; se souborem se otevře uložená hra, přerušená.</translation>
    </message>
    <message id="63002">
        <source>Options:</source>
        <translation>Volby:</translation>
    </message>
    <message id="63003">
        <source>Show this help and end.</source>
        <translation>Zobrazí tuto nápovědu a skončí.</translation>
    </message>
    <message id="63004">
        <source>Show the version and end.</source>
        <translation>Zobrazí verzi a skončí.</translation>
    </message>
    <message id="63005">
        <source>Print a saved game on the default printer and end.</source>
        <translation>Vytiskne uloženou hru na výchozí tiskárně a skončí.</translation>
    </message>
    <message id="63006">
        <source>Print a saved game on the named printer and end;
a name ending in .pdf writes a PDF file of that name.</source>
        <translation>Vytiskne uloženou hru na zadané tiskárně a skončí;
jméno končící na .pdf zapíše soubor PDF tohoto jména.</translation>
    </message>
    <message id="63007">
        <source>The same as --print (also -p, in any case).</source>
        <translation>Totéž co --print (také -p, malými i velkými písmeny).</translation>
    </message>
    <message id="63008">
        <source>The same as --print-to (also -pt, in any case).</source>
        <translation>Totéž co --print-to (také -pt, malými i velkými písmeny).</translation>
    </message>
    <message id="63009">
        <source>Qt&apos;s own options, such as -platform NAME and -style NAME, are passed on to Qt.</source>
        <translation>Vlastní volby Qt, například -platform JMÉNO a -style JMÉNO, se předají Qt.</translation>
    </message>
    <message id="63010">
        <source>FILE.cx</source>
        <extracomment>How --help names a saved-game file and a printer; written as placeholders, in capitals.</extracomment>
        <translation>SOUBOR.cx</translation>
    </message>
    <message id="63011">
        <source>PRINTER</source>
        <translation>TISKÁRNA</translation>
    </message>
    <message id="63012">
        <source>unknown option %1</source>
        <extracomment>A command-line error, on the error output after &quot;coilix: &quot;, so in lower case; %1 is what was typed.</extracomment>
        <translation>neznámá volba %1</translation>
    </message>
    <message id="63013">
        <source>%1 needs a value</source>
        <extracomment>A command-line error, on the error output after &quot;coilix: &quot;, so in lower case; %1 is what was typed.</extracomment>
        <translation>%1 vyžaduje hodnotu</translation>
    </message>
    <message id="63018">
        <source>%1 needs a file name</source>
        <extracomment>A command-line error, on the error output after &quot;coilix: &quot;, so in lower case; %1 is what was typed.</extracomment>
        <translation>%1 vyžaduje jméno souboru</translation>
    </message>
    <message id="63014">
        <source>--print-to needs a file name and a printer name</source>
        <extracomment>A command-line error, on the error output after &quot;coilix: &quot;, so in lower case.</extracomment>
        <translation>--print-to vyžaduje jméno souboru a jméno tiskárny</translation>
    </message>
    <message id="63015">
        <source>unexpected argument %1</source>
        <extracomment>A command-line error, on the error output after &quot;coilix: &quot;, so in lower case; %1 is what was typed.</extracomment>
        <translation>nečekaný argument %1</translation>
    </message>
    <message id="63016">
        <source>Try &apos;%1 --help&apos; for more information.</source>
        <extracomment>After a command-line error; %1 is the program&apos;s name.</extracomment>
        <translation>Více informací vypíše &apos;%1 --help&apos;.</translation>
    </message>
    <message id="63017">
        <source>cannot show the window: there is no display (neither DISPLAY nor WAYLAND_DISPLAY is set)</source>
        <extracomment>On the error output, after &quot;coilix: &quot;; lower case, as the other errors there.</extracomment>
        <translation>okno nelze zobrazit: není k dispozici displej (není nastaveno DISPLAY ani WAYLAND_DISPLAY)</translation>
    </message>
    <message id="63020">
        <source>There is no printer named %1.</source>
        <translation>Tiskárna %1 neexistuje.</translation>
    </message>
    <message id="63021">
        <source>There is no default printer.</source>
        <translation>Není nastavena výchozí tiskárna.</translation>
    </message>
    <message id="63022">
        <source>Cannot print to %1.</source>
        <translation>Na %1 nelze tisknout.</translation>
    </message>
    <message id="63030">
        <source>All Files (*)</source>
        <translation>Všechny soubory (*)</translation>
    </message>
    <message id="desktop.Name">
        <source>Coilix</source>
        <extracomment>The desktop menu&apos;s name of the game.</extracomment>
        <translation>Coilix</translation>
    </message>
    <message id="desktop.GenericName">
        <source>Arcade Game</source>
        <extracomment>The desktop menu: what kind of program this is.</extracomment>
        <translation>Arkádová hra</translation>
    </message>
    <message id="desktop.Comment">
        <source>Steer the crawler, eat apples and coins, avoid walls and skulls</source>
        <extracomment>The desktop menu&apos;s tooltip: what the game is, in one line.</extracomment>
        <translation>Veďte plaza, sbírejte jablka a mince, vyhýbejte se zdem a lebkám</translation>
    </message>
    <message id="desktop.Keywords">
        <source>snake;worm;crawler;arcade;game;apple;coin;high score;</source>
        <extracomment>Words a player may type into the desktop&apos;s search to find the game, each one followed by a semicolon (;).</extracomment>
        <translation>had;červ;plaz;arkáda;hra;jablko;mince;rekord;</translation>
    </message>
    <message id="metainfo.name">
        <source>Coilix</source>
        <extracomment>Software centres: the name of the game.</extracomment>
        <translation>Coilix</translation>
    </message>
    <message id="metainfo.summary">
        <source>Steer a hungry crawler across the board</source>
        <extracomment>Software centres: the game in one short line, no full stop.</extracomment>
        <translation>Veďte hladového plaza po hracím poli</translation>
    </message>
    <message id="metainfo.description.1">
        <source>Coilix is an arcade game for one player. You steer a crawler with the arrow keys across a board of square cells. Apples make it longer, coins are worth 100 to 1000 points, and walls, skulls and the crawler&apos;s own body end the game. The crawler leaves droppings behind, and eating one costs points.</source>
        <extracomment>Software centres: a paragraph or list item of the description.</extracomment>
        <translation>Coilix je arkádová hra pro jednoho hráče. Šipkami řídíte plaza po hracím poli ze čtvercových políček. Jablka ho prodlužují, mince mají cenu 100 až 1000 bodů a zeď, lebka nebo vlastní tělo plaza hru ukončí. Plaz za sebou nechává trus a sníst ho stojí body.</translation>
    </message>
    <message id="metainfo.description.2">
        <source>A small or a large board, or any size from 5 × 5 to 70 × 70 cells</source>
        <extracomment>Software centres: a paragraph or list item of the description.</extracomment>
        <translation>Malé nebo velké hrací pole, nebo libovolná velikost od 5 × 5 do 70 × 70 políček</translation>
    </message>
    <message id="metainfo.description.3">
        <source>Three speeds</source>
        <extracomment>Software centres: a paragraph or list item of the description.</extracomment>
        <translation>Tři rychlosti</translation>
    </message>
    <message id="metainfo.description.4">
        <source>A table of the ten best scores for every board size and speed</source>
        <extracomment>Software centres: a paragraph or list item of the description.</extracomment>
        <translation>Tabulka deseti nejlepších výsledků pro každou velikost pole a rychlost</translation>
    </message>
    <message id="metainfo.description.5">
        <source>Games can be saved, opened again and printed</source>
        <extracomment>Software centres: a paragraph or list item of the description.</extracomment>
        <translation>Rozehranou hru lze uložit, znovu otevřít a vytisknout</translation>
    </message>
    <message id="metainfo.screenshot.1.caption">
        <source>A game in play on a custom board</source>
        <extracomment>Software centres: the caption of a screenshot.</extracomment>
        <translation>Rozehraná hra na poli vlastní velikosti</translation>
    </message>
    <message id="metainfo.screenshot.2.caption">
        <source>Choosing the board and the speed of a new game</source>
        <extracomment>Software centres: the caption of a screenshot.</extracomment>
        <translation>Volba hracího pole a rychlosti nové hry</translation>
    </message>
    <message id="metainfo.release.1.1.1">
        <source>Coilix comes to Linux desktops: a menu entry, a file type for saved games, a manual page and a Debian package. The game is free software under the GNU GPL, version 3 or later.</source>
        <extracomment>Software centres: a paragraph of the notes of release 1.1.</extracomment>
        <translation>Coilix přichází na linuxové desktopy: položka v nabídce, typ souboru pro uložené hry, manuálová stránka a balíček pro Debian. Hra je svobodný software pod licencí GNU GPL verze 3 nebo novější.</translation>
    </message>
    <message id="key.break">
        <source>Break</source>
        <extracomment>How the menu names the Pause key, beside the Pause item; keyboards label that key Pause or Break.</extracomment>
        <translation>Break</translation>
    </message>
    <message id="63100">
        <source>It also held values of other programs (%1 in all); they were left out.</source>
        <extracomment>After the text of a settings file kept aside: %1 is how many values it held that belong to other programs.</extracomment>
        <translation>Obsahoval také hodnoty jiných programů (celkem %1); ty byly vynechány.</translation>
    </message>
    <message id="63101">
        <source>The settings file %1 is larger than a settings file can be, and cannot be kept aside (%2). The scores and settings in it are still used, but nothing is saved to it.</source>
        <translation>Soubor s nastavením %1 je větší, než soubor s nastavením může být, a nelze ho uschovat (%2). Rekordy a nastavení z něj se nadále používají, ale nic se do něj neuloží.</translation>
    </message>
    <message id="63102">
        <source>Some lines of the settings file %1 could not be read (%2), and the file cannot be written again without them (%3). A copy of it is kept as %4. Everything else in it is used, but nothing is saved to it.</source>
        <extracomment>%2 names the lines left out, %3 is the system&apos;s reason, %4 where the copy is.</extracomment>
        <translation>Některé řádky souboru s nastavením %1 nelze přečíst (%2) a soubor bez nich nelze znovu zapsat (%3). Jeho kopie je uschována jako %4. Vše ostatní z něj se používá, ale nic se do něj neuloží.</translation>
    </message>
    <message id="63103">
        <source>The settings file %1 would grow larger than a settings file can be read back. What was to be saved was not saved; the file stays as it was.</source>
        <translation>Soubor s nastavením %1 by narostl víc, než kolik lze zpět přečíst. Co se mělo uložit, uloženo nebylo; soubor zůstává, jak byl.</translation>
    </message>
    <message id="63104">
        <source>The settings file %1 was still in use by another program. The settings and scores that waited for it were not saved.</source>
        <translation>Soubor s nastavením %1 stále používal jiný program. Nastavení a rekordy, které na něj čekaly, nebyly uloženy.</translation>
    </message>
    <message id="63105">
        <source>Coilix is closing, and not everything could be saved.</source>
        <extracomment>Above what went wrong with the settings file as the program ends.</extracomment>
        <translation>Coilix se zavírá a nepodařilo se uložit všechno.</translation>
    </message>
    <message id="63106">
        <source>Ended by %1, and not everything could be saved: %2</source>
        <extracomment>One line on the error output: %1 names the signal that ended the program (SIGTERM), %2 says what went wrong with the settings file.</extracomment>
        <translation>Ukončeno signálem %1 a nepodařilo se uložit všechno: %2</translation>
    </message>
    <message id="mime.application/x-coilix-game">
        <source>Coilix game</source>
        <extracomment>File managers: the name of the file type of saved games, shown beside a file&apos;s name.</extracomment>
        <translation>Hra Coilix</translation>
    </message>
    <message id="bar.menu">
        <source>Menu Bar</source>
        <extracomment>What a screen reader calls the bar of menus at the top of the window.</extracomment>
        <translation>Panel nabídek</translation>
    </message>
    <message id="bar.size_grip">
        <source>Resize Window</source>
        <extracomment>What a screen reader calls the corner of the status bar that one drags to resize the window.</extracomment>
        <translation>Změnit velikost okna</translation>
    </message>
    <message id="63300">
        <source>cannot show the window: the display cannot be reached (%1)</source>
        <extracomment>On the error output, after &quot;coilix: &quot;; lower case, as the other errors there. %1 names the display variables that are set (&quot;DISPLAY=:1&quot;).</extracomment>
        <translation>okno nelze zobrazit: k displeji se nelze připojit (%1)</translation>
    </message>
    <message id="menu.help.how_to_play">
        <source>&amp;How to Play...</source>
        <translation>&amp;Jak hrát...</translation>
    </message>
    <message id="32800">
        <source>Explain the keys, the rules and the scoring
How to Play</source>
        <extracomment>A command&apos;s prompt in the status bar, a line feed, then its tooltip.</extracomment>
        <translation>Vysvětlí ovládání, pravidla a bodování
Jak hrát</translation>
    </message>
    <message id="63301">
        <source>How to Play</source>
        <extracomment>The title of the How to Play page, and its name for a screen reader.</extracomment>
        <translation>Jak hrát</translation>
    </message>
    <message id="63302">
        <source>Steer the crawler across the board. Eat apples and coins, and keep away from the wall, the skulls and the crawler&apos;s own body.</source>
        <extracomment>The How to Play page&apos;s first paragraph.</extracomment>
        <translation>Veďte plaza po hracím poli. Sbírejte jablka a mince a vyhýbejte se zdi, lebkám a vlastnímu tělu plaza.</translation>
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
        <translation>Ovládání
Šipkami plaza řídíte: plaz se pohybuje sám, políčko po políčku, směrem, kterým jste ho naposledy poslali. Nová hra čeká na první šipku a plaz vyrazí jejím směrem.
Plaz se nemůže otočit zpátky: šipka opačná ke směru jeho pohybu se nebere v úvahu a plaz pokračuje rovně.
%1 hru přeruší; znovu %1 nebo kterákoli šipka hru rozběhne. Hra se přeruší také, když okno minimalizujete nebo se přepnete do jiného programu, ale ne, dokud je otevřený některý z jejích vlastních dialogů, například tato stránka.
%2 začne novou hru na stejném poli se stejnou rychlostí; v nabídce %3 si nejdřív zvolíte pole a rychlost.
%4 zobrazí rekordy, %5 tuto stránku a %6 program ukončí.
Herní ovladač řídí plaza směrovým křížem nebo levou páčkou stejně jako šipky; tlačítko Start hru přeruší.</translation>
    </message>
    <message id="63304">
        <source>What lies on the board
Apple: %1 points, and the crawler grows one cell longer.
Coin: %2 to %3 points.
Skull: running onto it ends the game.
Apples, coins and skulls turn up on free cells every few moves and vanish again after a while; skulls stay longer. A new skull never turns up straight ahead of the crawler&apos;s head.</source>
        <extracomment>The How to Play page: a heading on its own line, then the items. %1 is what an apple scores (100), %2 and %3 the least and the most a coin scores (100, 1000).</extracomment>
        <translation>Co leží na hracím poli
Jablko: %1 bodů a plaz se prodlouží o jedno políčko.
Mince: %2 až %3 bodů.
Lebka: vjede-li na ni plaz, je konec hry.
Jablka, mince a lebky se každých pár tahů objeví na volných políčkách a po chvíli zase zmizí; lebky vydrží déle. Nová lebka se nikdy neobjeví přímo před hlavou plaza.</translation>
    </message>
    <message id="63305">
        <source>Droppings
Now and then the crawler leaves a dropping behind its tail. Eating one costs %1 to %2 points and makes the crawler frown for %3 moves; the score can fall below zero. Droppings vanish after a while, too.</source>
        <extracomment>The How to Play page: a heading on its own line, then the droppings. %1 and %2 are the least and the most a dropping costs (100, 800), %3 how many moves the crawler frowns (7).</extracomment>
        <translation>Trus
Plaz za sebou občas nechá trus. Sníst ho stojí %1 až %2 bodů a plaz se pak %3 tahů mračí; skóre může klesnout pod nulu. Trus po chvíli také zmizí.</translation>
    </message>
    <message id="63306">
        <source>What ends a game
Running into the wall, into the crawler&apos;s own body or onto a skull. Moving into the cell that the tail is just leaving is safe.</source>
        <extracomment>The How to Play page: a heading on its own line, then what ends a game.</extracomment>
        <translation>Co ukončí hru
Plaz narazí do zdi nebo do vlastního těla, nebo vjede na lebku. Na políčko, které ocas právě opouští, vjet smíte.</translation>
    </message>
    <message id="63307">
        <source>Boards and speeds
A Small board is %1 cells, a Large one %2; a Custom board may be %3 to %4 cells wide and high. At Low, Normal and High speed the crawler moves one cell every %5, %6 or %7 milliseconds.</source>
        <extracomment>The How to Play page: a heading on its own line, then the boards and speeds, named as the New Game dialog names them. %1 and %2 are the sizes of the Small and the Large board (&quot;17 × 13&quot;), %3 and %4 the least and the most cells a custom board&apos;s side may have (5, 70), %5, %6 and %7 the milliseconds per move at the speeds Low, Normal and High.</extracomment>
        <translation>Hrací pole a rychlost
Malé pole má %1 políček, velké %2; pole Dle nastavení může mít na šířku i na výšku %3 až %4 políček. Při rychlosti Nízká, Střední a Vysoká se plaz posune o jedno políčko každých %5, %6 nebo %7 milisekund.</translation>
    </message>
    <message id="63308">
        <source>High scores
Every board size and speed has its own table of the %1 best scores. When a game ends with a score above zero that beats the lowest score in the table, or while the table holds fewer than %1, you are asked for your name. A game opened from a file comes back paused (an arrow key plays on) and never enters the table.</source>
        <extracomment>The How to Play page: a heading on its own line, then the score tables. %1 is how many scores a table keeps (10).</extracomment>
        <translation>Rekordy
Každá velikost pole a každá rychlost má vlastní tabulku %1 nejlepších výsledků. Skončí-li hra se skóre nad nulou, které překoná nejnižší výsledek v tabulce, nebo je-li v tabulce ještě méně než %1 výsledků, zadáte své jméno. Hra otevřená ze souboru začíná přerušená (šipka ji rozběhne) a do tabulky se nikdy nedostane.</translation>
    </message>
    <message id="62018">
        <source>The score table cannot keep these characters: %1</source>
        <extracomment>Under the name box of the New High Score dialog, when the player typed or pasted characters that the score table cannot keep (its names are stored in a single-byte code page: 1250 for Czech, 1252 for English and German); they are not taken into the box. %1 is those characters, separated by spaces.</extracomment>
        <translation>Tyto znaky nelze v tabulce rekordů uložit: %1</translation>
    </message>
</context>
</TS>
