<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>TAddKatForm</name>
    <message>
        <source>Kategorie bearbeiten</source>
        <translation>Edit Category</translation>
    </message>
    <message>
        <source>Bitte geben Sie einen kurzen, prägnanten Namen für die Kategorie an:</source>
        <translation>Enter a short, meaningful name for the category:</translation>
    </message>
    <message>
        <source>Bitte legen Sie ein Icon für die Kategorie fest:</source>
        <translation>Choose an icon for the category:</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Abbrechen</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>Kategorie Icon suchen...</source>
        <translation>Choose a Category Icon</translation>
    </message>
    <message>
        <source>Alle (*.bmp, *.ico, *.jpg, *.jpeg, *.wmf))|*.bmp;*.ico;*.jpg;*.jpeg;*.wmf|Bitmaps (*.bmp)|*.bmp|Symbole (*.ico)|*.ico|JPEG-Dateien (*.jpg, *.jpeg)|*.jpg;*.jpeg|WMF-Dateien (*.wmf)|*.wmf</source>
        <translation>All pictures (*.bmp, *.ico, *.jpg, *.jpeg, *.wmf)|*.bmp;*.ico;*.jpg;*.jpeg;*.wmf|Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico|JPEG files (*.jpg, *.jpeg)|*.jpg;*.jpeg|WMF files (*.wmf)|*.wmf</translation>
    </message>
</context>
<context>
    <name>TAddToCategoryForm</name>
    <message>
        <source>Zu Orvella-Kategorie hinzufügen</source>
        <translation>Add to Orvella Category</translation>
    </message>
    <message>
        <source>%1 Bild(er) hinzufügen zur Kategorie:</source>
        <translation>Add %1 picture(s) to the category:</translation>
    </message>
</context>
<context>
    <name>TCopyMovePics</name>
    <message>
        <source>Bilder kopieren / verschieben...</source>
        <translation>Copy / Move Pictures...</translation>
    </message>
    <message>
        <source>Kopieren / Verschieben</source>
        <translation>Copy / Move</translation>
    </message>
    <message>
        <source>Geben Sie an, in welche Kategorie die ausgewählten Bilder kopiert bzw. verschoben werden sollen:</source>
        <translation>Choose the category to copy or move the selected pictures to:</translation>
    </message>
    <message>
        <source>Kopieren</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Verschieben</source>
        <translation>Move</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TFindPics</name>
    <message>
        <source>Bilder suchen...</source>
        <translation>Find Pictures</translation>
    </message>
    <message>
        <source>Suchparameter festlegen</source>
        <translation>What to search for</translation>
    </message>
    <message>
        <source>Legen Sie fest, welche Hintergrundbilder gesucht werden sollen:</source>
        <translation>Choose the kinds of wallpaper to look for:</translation>
    </message>
    <message>
        <source>BMP - Dateien</source>
        <translation>BMP files</translation>
    </message>
    <message>
        <source>JPEG - Dateien</source>
        <translation>JPEG files</translation>
    </message>
    <message>
        <source>GIF - Dateien</source>
        <translation>GIF files</translation>
    </message>
    <message>
        <source>PNG - Dateien</source>
        <translation>PNG files</translation>
    </message>
    <message>
        <source>HTML - Dateien</source>
        <translation>HTML files</translation>
    </message>
    <message>
        <source>Legen Sie fest, auf welchen Laufwerken gesucht werden soll:</source>
        <translation>Choose the drives to search:</translation>
    </message>
    <message>
        <source>Bilder ignorieren, die bereits in Kategorien vorhanden sind.</source>
        <translation>Skip pictures that are already in a category.</translation>
    </message>
    <message>
        <source>Gefundene Hintergrundbilder</source>
        <translation>Wallpapers found</translation>
    </message>
    <message>
        <source>Klicken Sie mit der rechten Maustaste auf die Bilder, um sie in die entsprechenden Kategorien einzuordnen.</source>
        <translation>Right-click the pictures to sort them into your categories.</translation>
    </message>
    <message>
        <source>&amp;Suchen</source>
        <translation>&amp;Search</translation>
    </message>
    <message>
        <source>&amp;Anhalten</source>
        <translation>S&amp;top</translation>
    </message>
    <message>
        <source>Schli&amp;eßen</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>Neue Kategorie...</source>
        <translation>New Category...</translation>
    </message>
</context>
<context>
    <name>TInfoBox</name>
    <message>
        <source>Info...</source>
        <translation>About Orvella</translation>
    </message>
    <message>
        <source>Version: 3.0</source>
        <translation>Version 3.0</translation>
    </message>
</context>
<context>
    <name>TOptions</name>
    <message>
        <source>Einstellungen...</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Allgemein</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Autostart</source>
        <translation>Start-up</translation>
    </message>
    <message>
        <source>Beim Systemstart laden</source>
        <translation>Start Orvella when I log in</translation>
    </message>
    <message>
        <source>Hintergrundbild wechseln</source>
        <translation>Set a new wallpaper at log-in</translation>
    </message>
    <message>
        <source>Transparenzcheck</source>
        <translation>Transparency check</translation>
    </message>
    <message>
        <source>Icon-Transparenzcheck aktivieren</source>
        <translation>Keep desktop icon labels transparent</translation>
    </message>
    <message>
        <source>Sortierung</source>
        <translation>Sorting</translation>
    </message>
    <message>
        <source>Hintergrundbilder sortieren</source>
        <translation>Sort wallpapers by name</translation>
    </message>
    <message>
        <source>Hintergrund</source>
        <translation>Desktop</translation>
    </message>
    <message>
        <source>Hintergrundbild</source>
        <translation>Wallpaper</translation>
    </message>
    <message>
        <source>Hintergrundbild zentrieren</source>
        <translation>Center wallpaper</translation>
    </message>
    <message>
        <source>Hintergrundbild nebeneinander</source>
        <translation>Tile wallpaper</translation>
    </message>
    <message>
        <source>Hintergrundbild strecken</source>
        <translation>Stretch wallpaper</translation>
    </message>
    <message>
        <source>Hintergrundfarbe</source>
        <translation>Background color</translation>
    </message>
    <message>
        <source>Ändern</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>Klang</source>
        <translation>Sound</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>▶</source>
        <translation>▶</translation>
    </message>
    <message>
        <source>Kalender</source>
        <translation>Calendar</translation>
    </message>
    <message>
        <source>Orvella Kalender aktivieren</source>
        <translation>Show the Orvella calendar on the desktop</translation>
    </message>
    <message>
        <source>Kalenderschriftart</source>
        <translation>Calendar font</translation>
    </message>
    <message>
        <source>Schriftart &amp; Größe:</source>
        <translation>Font &amp; size:</translation>
    </message>
    <message>
        <source>Kalenderfarben</source>
        <translation>Calendar colors</translation>
    </message>
    <message>
        <source>Hintergrund:</source>
        <translation>Background:</translation>
    </message>
    <message>
        <source>Wochentage:</source>
        <translation>Weekdays:</translation>
    </message>
    <message>
        <source>Monat &amp; Jahr:</source>
        <translation>Month &amp; year:</translation>
    </message>
    <message>
        <source>Aktueller Monat:</source>
        <translation>This month:</translation>
    </message>
    <message>
        <source>Anderer Monat:</source>
        <translation>Other months:</translation>
    </message>
    <message>
        <source>Diashow</source>
        <translation>Slideshow</translation>
    </message>
    <message>
        <source>1. Möglichkeit</source>
        <translation>Automatic wallpaper change</translation>
    </message>
    <message>
        <source>Automatischen Wechsel aktivieren</source>
        <translation>Change the wallpaper automatically</translation>
    </message>
    <message>
        <source>Intervall (Sekunden):</source>
        <translation>Interval (seconds):</translation>
    </message>
    <message>
        <source>2. Möglichkeit</source>
        <translation>Full-screen slideshow</translation>
    </message>
    <message>
        <source>Hintergrundfarbe:</source>
        <translation>Background color:</translation>
    </message>
    <message>
        <source>Bildschirmschoner</source>
        <translation>Screen saver</translation>
    </message>
    <message>
        <source>Orvella Bildschirmschoner aktivieren</source>
        <translation>Use the Orvella screen saver</translation>
    </message>
    <message>
        <source>Bildschirmschoner Optionen</source>
        <translation>Screen saver options</translation>
    </message>
    <message>
        <source>Bildschirmschoner Bilder</source>
        <translation>Screen saver pictures</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Abbrechen</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>Aa</source>
        <translation>Aa</translation>
    </message>
    <message>
        <source>Klangdateien suchen...</source>
        <translation>Choose a Sound File</translation>
    </message>
    <message>
        <source>Wave-Dateien (*.wav)|*.wav</source>
        <translation>Wave files (*.wav)|*.wav</translation>
    </message>
    <message>
        <source>Auf jedem Bildschirm ein eigenes Bild</source>
        <translation>A different picture on each screen</translation>
    </message>
    <message>
        <source>Für X11, GNOME, KDE Plasma, XFCE und sway mit mehreren Bildschirmen; andere Desktops zeigen auf allen Bildschirmen das erste Bild.</source>
        <translation>For X11, GNOME, KDE Plasma, XFCE and sway with several screens; other desktops show the first picture on every screen.</translation>
    </message>
</context>
<context>
    <name>TOrvel</name>
    <message>
        <source>Orvella</source>
        <translation>Orvella</translation>
    </message>
    <message>
        <source>Kategorien</source>
        <translation>Categories</translation>
    </message>
    <message>
        <source>Hintergrundbild</source>
        <translation>Wallpaper</translation>
    </message>
    <message>
        <source>Extras</source>
        <translation>Tools</translation>
    </message>
    <message>
        <source>Sternenfeld Hintergrund</source>
        <translation>Starfield Wallpaper</translation>
    </message>
    <message>
        <source>Sprache</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Hilfe</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Neue Bilder finden...</source>
        <translation>Find New Pictures</translation>
    </message>
    <message>
        <source>Im Internet</source>
        <translation>On the Web</translation>
    </message>
    <message>
        <source>Werkzeuge</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>Kategorie hinzufügen</source>
        <translation>Add Category</translation>
    </message>
    <message>
        <source>Einstellungen speichern</source>
        <translation>Save Settings</translation>
    </message>
    <message>
        <source>Hintergrundbilder hinzufügen</source>
        <translation>Add Wallpapers</translation>
    </message>
    <message>
        <source>Hintergrundbilder entfernen</source>
        <translation>Remove Wallpapers</translation>
    </message>
    <message>
        <source>Hintergrundbild ändern</source>
        <translation>Set as Wallpaper</translation>
    </message>
    <message>
        <source>Optionen...</source>
        <translation>Options...</translation>
    </message>
    <message>
        <source>Diashow starten</source>
        <translation>Start Slideshow</translation>
    </message>
    <message>
        <source>Bilder auf Festplatte suchen</source>
        <translation>Search Disks for Pictures</translation>
    </message>
    <message>
        <source>Orvella Hilfe</source>
        <translation>Orvella Help</translation>
    </message>
    <message>
        <source>Info...</source>
        <translation>About Orvella...</translation>
    </message>
    <message>
        <source>Kategorie hinzufügen...</source>
        <translation>Add Category...</translation>
    </message>
    <message>
        <source>Ctrl+K</source>
        <translation>Ctrl+K</translation>
    </message>
    <message>
        <source>Kategorie bearbeiten...</source>
        <translation>Edit Category...</translation>
    </message>
    <message>
        <source>Kategorie löschen</source>
        <translation>Delete Category</translation>
    </message>
    <message>
        <source>Bilder hinzufügen...</source>
        <translation>Add Pictures...</translation>
    </message>
    <message>
        <source>Ins</source>
        <translation>Ins</translation>
    </message>
    <message>
        <source>Bilder entfernen</source>
        <translation>Remove Pictures</translation>
    </message>
    <message>
        <source>Alle Bilder entfernen</source>
        <translation>Remove All Pictures</translation>
    </message>
    <message>
        <source>Bilder kopieren / verschieben...</source>
        <translation>Copy / Move Pictures...</translation>
    </message>
    <message>
        <source>Beenden</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Neues zufälliges Hintergrundbild</source>
        <translation>New Random Wallpaper</translation>
    </message>
    <message>
        <source>Ctrl+W</source>
        <translation>Ctrl+W</translation>
    </message>
    <message>
        <source>Selektiertes Bild als Hintergrund</source>
        <translation>Set Selected Picture as Wallpaper</translation>
    </message>
    <message>
        <source>Bild öffnen/bearbeiten...</source>
        <translation>Open/Edit Picture...</translation>
    </message>
    <message>
        <source>Bild speichern unter...</source>
        <translation>Save Picture As...</translation>
    </message>
    <message>
        <source>Bild drucken...</source>
        <translation>Print Picture...</translation>
    </message>
    <message>
        <source>Bilder per E-Mail senden...</source>
        <translation>Email Pictures...</translation>
    </message>
    <message>
        <source>Ctrl+M</source>
        <translation>Ctrl+M</translation>
    </message>
    <message>
        <source>Einfach</source>
        <translation>Simple</translation>
    </message>
    <message>
        <source>Bewegt</source>
        <translation>Animated</translation>
    </message>
    <message>
        <source>Englisch</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Deutsch</source>
        <translation>German</translation>
    </message>
    <message>
        <source>Ctrl+P</source>
        <translation>Ctrl+P</translation>
    </message>
    <message>
        <source>Vorschaubild anzeigen</source>
        <translation>Show Preview</translation>
    </message>
    <message>
        <source>Icons transparent setzen</source>
        <translation>Make Icon Labels Transparent</translation>
    </message>
    <message>
        <source>Diashow starten...</source>
        <translation>Start Slideshow...</translation>
    </message>
    <message>
        <source>F12</source>
        <translation>F12</translation>
    </message>
    <message>
        <source>Ctrl+S</source>
        <translation>Ctrl+S</translation>
    </message>
    <message>
        <source>Auf der Festplatte...</source>
        <translation>On This Computer...</translation>
    </message>
    <message>
        <source>F1</source>
        <translation>F1</translation>
    </message>
    <message>
        <source>Homepage...</source>
        <translation>Orvella Website...</translation>
    </message>
    <message>
        <source>Desktop Icons transparent setzen</source>
        <translation>Make Desktop Icon Labels Transparent</translation>
    </message>
    <message>
        <source>Bilder löschen</source>
        <translation>Remove Pictures</translation>
    </message>
    <message>
        <source>Del</source>
        <translation>Del</translation>
    </message>
    <message>
        <source>Alle Bilder löschen</source>
        <translation>Remove All Pictures</translation>
    </message>
    <message>
        <source>Wiederherstellen...</source>
        <translation>Restore Orvella</translation>
    </message>
    <message>
        <source>Bild suchen...</source>
        <translation>Add Pictures</translation>
    </message>
    <message>
        <source>Bild-Dateien (*.bmp, *.jpg, *.jpeg, *.gif, *.png)|*.bmp;*.jpg;*.gif;*.jpeg;*.png|Html-Dateien (*.htm, *.html)|*.htm;*.html</source>
        <translation>Pictures (*.bmp, *.jpg, *.jpeg, *.gif, *.png)|*.bmp;*.jpg;*.gif;*.jpeg;*.png|HTML pages (*.htm, *.html)|*.htm;*.html</translation>
    </message>
    <message>
        <source>Alle Dateien (*.*)|*.*</source>
        <translation>All Files (*.*)|*.*</translation>
    </message>
</context>
<context>
    <name>TPreviewForm</name>
    <message>
        <source>Vorschaubild...</source>
        <translation>Preview</translation>
    </message>
</context>
<context>
    <name>TScreenSaverForm</name>
    <message>
        <source>Orvella Bildschirmschoner</source>
        <translation>Orvella Screen Saver</translation>
    </message>
</context>
<context>
    <name>TSlideShowForm</name>
    <message>
        <source>Orvella Dia-Show</source>
        <translation>Orvella Slideshow</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>/</source>
        <translation>/</translation>
    </message>
    <message>
        <source>12</source>
        <translation>12</translation>
    </message>
    <message>
        <source>C:\Windows</source>
        <translation>C:\Windows</translation>
    </message>
</context>
</TS>
