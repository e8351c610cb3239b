<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>OrvellaLanguageModule</name>
    <message>
        <source>format</source>
        <extracomment>The module format this file is written for; Orvella refuses a module of a newer format. Not a text.</extracomment>
        <translation>1</translation>
    </message>
</context>
<context>
    <name>MessageCatalogue</name>
    <message>
        <source>Alle</source>
        <comment>_SCatAll</comment>
        <translation>All</translation>
    </message>
    <message>
        <source>Fehler</source>
        <comment>_SError</comment>
        <translation>Error</translation>
    </message>
    <message>
        <source>Bilder in dieser Kategorie</source>
        <comment>_SColumn</comment>
        <translation>Pictures in this category</translation>
    </message>
    <message>
        <source>Bilder in dieser Kategorie</source>
        <comment>_SPicsInCat</comment>
        <translation>pictures in this category</translation>
    </message>
    <message>
        <source>Neue gefundene Hintergründe:</source>
        <comment>_SFoundPics</comment>
        <translation>New wallpapers found:</translation>
    </message>
    <message>
        <source>Dateidatum:</source>
        <comment>_SPicDate</comment>
        <translation>File date:</translation>
    </message>
    <message>
        <source>Dateigröße:</source>
        <comment>_SPicSize</comment>
        <translation>File size:</translation>
    </message>
    <message>
        <source>KB</source>
        <comment>_SKb</comment>
        <translation>KB</translation>
    </message>
    <message>
        <source>Wenn Sie eine Hintergrundgrafik auswählen, die nicht im .bmp Format vorliegt, muß der Active Desktop aktiviert werden, damit die Grafik angezeigt wird. Soll der Active Desktop aktiviert werden?</source>
        <comment>_SMsgEnableAD</comment>
        <translation>A wallpaper that is not a .bmp file can only be shown with Active Desktop turned on. Do you want to turn on Active Desktop?</translation>
    </message>
    <message>
        <source>Active Desktop aktivieren?</source>
        <comment>_SMsgEnableADCaption</comment>
        <translation>Turn On Active Desktop?</translation>
    </message>
    <message>
        <source>Um diese Hintergrundgrafik korrekt darzustellen muß der Active Desktop aktiviert werden. Soll der Active Desktop aktiviert werden?</source>
        <comment>_SMsgEnableAD2</comment>
        <translation>Active Desktop must be turned on to show this wallpaper correctly. Do you want to turn on Active Desktop?</translation>
    </message>
    <message>
        <source>Die angegebene Grafikdatei für die Kategorie %s konnte nicht gefunden werden.</source>
        <comment>_MsgImageNotFound</comment>
        <translation>The image file of the category %s could not be found.</translation>
    </message>
    <message>
        <source>Bilddatei nicht gefunden</source>
        <comment>_MsgImageNotFoundCaption</comment>
        <translation>Image File Not Found</translation>
    </message>
    <message>
        <source>Bitte geben Sie einen Namen für die Kategorie an.</source>
        <comment>_MsgEnterKatName</comment>
        <translation>Please enter a name for the category.</translation>
    </message>
    <message>
        <source>Kategorienamen angeben</source>
        <comment>_MsgEnterKatNameCaption</comment>
        <translation>Category Name Missing</translation>
    </message>
    <message>
        <source>Bitte legen Sie ein Icon für die Kategorie fest.</source>
        <comment>_MsgEnterKatIcon</comment>
        <translation>Please choose an icon for the category.</translation>
    </message>
    <message>
        <source>Kategorieicon festlegen</source>
        <comment>_MsgEnterKatIconCaption</comment>
        <translation>Category Icon Missing</translation>
    </message>
    <message>
        <source>Sind Sie sicher, daß Sie die Kategorie &quot;%s&quot; löschen möchten?</source>
        <comment>_MsgDeleteKatConfirm</comment>
        <translation>Are you sure you want to delete the category &quot;%s&quot;?</translation>
    </message>
    <message>
        <source>Kategorie wirklich löschen?</source>
        <comment>_MsgDeleteKatConfirmCaption</comment>
        <translation>Delete Category?</translation>
    </message>
    <message>
        <source>Sie können nicht mehr als 30 Kategorien anlegen.</source>
        <comment>_MsgKatLimit</comment>
        <translation>You cannot create more than 30 categories.</translation>
    </message>
    <message>
        <source>Kategorie-Limit erreicht</source>
        <comment>_MsgKatLimitCaption</comment>
        <translation>Category Limit Reached</translation>
    </message>
    <message>
        <source>Der ersten Kategorie können keine Bilder direkt hinzugefügt werden. Bitte wählen Sie eine andere Kategorie aus.</source>
        <comment>_MsgAddFalse</comment>
        <translation>Pictures cannot be added to the first category directly. Please choose another category.</translation>
    </message>
    <message>
        <source>Hinzufügen nicht möglich</source>
        <comment>_MsgAddFalseCaption</comment>
        <translation>Cannot Add Pictures</translation>
    </message>
    <message>
        <source>Aus der ersten Kategorie können keine Bilder gelöscht werden. Sie stellt vielmehr eine Zusammenfassung aller anderen Kategorien dar. Bitte wählen Sie die entsprechende Kategorie aus, um das Bild oder die Bilder zu löschen.</source>
        <comment>_MsgDeleteFalse</comment>
        <translation>Pictures cannot be removed from the first category: it is a summary of all the other categories. To remove the picture or pictures, please choose the category they belong to.</translation>
    </message>
    <message>
        <source>Löschen nicht möglich</source>
        <comment>_MsgDeleteFalseCaption</comment>
        <translation>Cannot Remove Pictures</translation>
    </message>
    <message>
        <source>Sind Sie sicher, daß Sie die markierten Einträge aus der Kategorie entfernen möchten?</source>
        <comment>_MsgConfirmDelete</comment>
        <translation>Are you sure you want to remove the selected entries from the category?</translation>
    </message>
    <message>
        <source>Entfernen bestätigen</source>
        <comment>_MsgConfirmDeleteCaption</comment>
        <translation>Confirm Removal</translation>
    </message>
    <message>
        <source>Sind Sie sicher, daß Sie alle Bilder aus der Kategorie entfernen möchten?</source>
        <comment>_MsgConfirmDeleteAll</comment>
        <translation>Are you sure you want to remove all pictures from the category?</translation>
    </message>
    <message>
        <source>Das Hintergrundbild konnte nicht geändert werden. Orvella Fehler 1.</source>
        <comment>_MsgCopyFailure</comment>
        <translation>The wallpaper could not be changed. Orvella error 1.</translation>
    </message>
    <message>
        <source>Orvella Fehler</source>
        <comment>_MsgCommonErrorCaption</comment>
        <translation>Orvella Error</translation>
    </message>
    <message>
        <source>In der gewählten Kategorie sind keine Bilder vorhanden.</source>
        <comment>_MsgNoPicInList</comment>
        <translation>There are no pictures in the selected category.</translation>
    </message>
    <message>
        <source>Kategorie ist leer</source>
        <comment>_MsgNoPicInListCaption</comment>
        <translation>Category Is Empty</translation>
    </message>
    <message>
        <source>Das angegebene Bild kann nicht zum bearbeiten geöffnet werden.</source>
        <comment>_MsgEditImageFailure</comment>
        <translation>The picture cannot be opened for editing.</translation>
    </message>
    <message>
        <source>Bearbeiten nicht möglich</source>
        <comment>_MsgEditImageFailureCaption</comment>
        <translation>Cannot Edit Picture</translation>
    </message>
    <message>
        <source>Das angegebene Bild kann nicht ausgedruckt werden.</source>
        <comment>_MsgPrintImageFailure</comment>
        <translation>The picture cannot be printed.</translation>
    </message>
    <message>
        <source>Drucken nicht möglich</source>
        <comment>_MsgPrintImageFailureCaption</comment>
        <translation>Cannot Print Picture</translation>
    </message>
    <message>
        <source>Die angegebenen Bilder konnten nicht per E-Mail versendet werden.</source>
        <comment>_MsgMailImageFailure</comment>
        <translation>The pictures could not be sent by email.</translation>
    </message>
    <message>
        <source>Versenden nicht möglich</source>
        <comment>_MsgMailImageFailureCaption</comment>
        <translation>Cannot Send Pictures</translation>
    </message>
    <message>
        <source>Für den Orvella Bildschirmschoner wurde keine Kategorie ausgewählt. Der Bildschirmschoner konnte nicht aktiviert werden.</source>
        <comment>_MsgScrNoKat</comment>
        <translation>No category has been chosen for the Orvella screen saver. The screen saver could not be turned on.</translation>
    </message>
    <message>
        <source>Bildschirmschoner nicht aktiviert</source>
        <comment>_MsgScrNoKatCaption</comment>
        <translation>Screen Saver Not Turned On</translation>
    </message>
    <message>
        <source>Bitte geben Sie mindestens ein Hintergrundtyp und ein Laufwerk zur Durchsuchung an.</source>
        <comment>_MsgNoSearchPics</comment>
        <translation>Please choose at least one kind of wallpaper and one drive to search.</translation>
    </message>
    <message>
        <source>Hintergrundtyp und Laufwerk angeben</source>
        <comment>_MsgNoSearchPicsCaption</comment>
        <translation>Choose What and Where to Search</translation>
    </message>
    <message>
        <source>Das Hintergrundbild konnte nicht unter dem angegebenen Namen gespeichert werden.</source>
        <comment>_MsgSavePicFailure</comment>
        <translation>The wallpaper could not be saved under the name given.</translation>
    </message>
    <message>
        <source>Speichern nicht möglich</source>
        <comment>_MsgSavePicFailureCaption</comment>
        <translation>Cannot Save Picture</translation>
    </message>
    <message>
        <source>Es wurde keine Kategorie ausgewählt oder die Ziel-Kategorie entspricht der Quell-Kategorie</source>
        <comment>_MsgCopyInCatError</comment>
        <translation>No category was chosen, or the target category is the same as the source category.</translation>
    </message>
    <message>
        <source>Kopieren / Verschieben nicht möglich</source>
        <comment>_MsgCopyInCatErrorCaption</comment>
        <translation>Cannot Copy or Move</translation>
    </message>
    <message>
        <source>Registry konnte nicht geöffnet werden. Sprache nicht geändert.</source>
        <comment>_MsgSetLocalError1</comment>
        <translation>The registry could not be opened. The language was not changed.</translation>
    </message>
    <message>
        <source>Registry Fehler</source>
        <comment>_MsgSetLocalError1Caption</comment>
        <translation>Registry Error</translation>
    </message>
    <message>
        <source>Beim Ändern der Sprache ist eine Fehler aufgetreten. Die Fehlermeldung lautet:</source>
        <comment>_MsgSetLocalError2</comment>
        <translation>An error occurred while changing the language. The error message is:</translation>
    </message>
    <message>
        <source>Fehler beim Ändern der Sprache</source>
        <comment>_MsgSetLocalError2Caption</comment>
        <translation>Error Changing Language</translation>
    </message>
    <message>
        <source>Orvella muß neu gestartet werden, damit die Änderung aktiv wird. Jetzt neu starten?</source>
        <comment>_MsgLanguageChanged</comment>
        <translation>Orvella must be restarted for the change to take effect. Restart now?</translation>
    </message>
    <message>
        <source>Orvella neu starten</source>
        <comment>_MsgLanguageChangedCaption</comment>
        <translation>Restart Orvella</translation>
    </message>
    <message>
        <source>Die angebene Internetseite konnte nicht geöffnet werden.</source>
        <comment>_MsgOpenWebsite</comment>
        <translation>The website could not be opened.</translation>
    </message>
    <message>
        <source>Internetseite öffnen</source>
        <comment>_MsgOpenWebsiteCaption</comment>
        <translation>Open Website</translation>
    </message>
    <message>
        <source>nach %s kann nicht geschrieben werden</source>
        <comment>_SMsgWriteError</comment>
        <translation>Cannot write to %s</translation>
    </message>
    <message>
        <source>&apos;%s&apos; ist kein gültiger Integerwert</source>
        <comment>_SMsgInvalidInteger</comment>
        <translation>&apos;%s&apos; is not a valid integer value</translation>
    </message>
</context>
</TS>
