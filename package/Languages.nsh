; The installer's and the uninstaller's own texts in the program's seven languages; the
; pages and buttons come from the Modern UI's language files. English comes first: it is
; the one a system in any other language gets.

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "Polish"
!insertmacro MUI_LANGUAGE "Spanish"
!insertmacro MUI_LANGUAGE "Turkish"
!insertmacro MUI_LANGUAGE "Danish"

LangString StartGlimmora ${LANG_ENGLISH} "Start Glimmora"
LangString StartGlimmora ${LANG_GERMAN} "Glimmora starten"
LangString StartGlimmora ${LANG_FRENCH} "Démarrer Glimmora"
LangString StartGlimmora ${LANG_POLISH} "Uruchom Glimmora"
LangString StartGlimmora ${LANG_SPANISH} "Iniciar Glimmora"
LangString StartGlimmora ${LANG_TURKISH} "Glimmora'yı başlat"
LangString StartGlimmora ${LANG_DANISH} "Start Glimmora"

LangString FreeSoftware ${LANG_ENGLISH} "Glimmora is free software under this licence."
LangString FreeSoftware ${LANG_GERMAN} "Glimmora ist freie Software unter dieser Lizenz."
LangString FreeSoftware ${LANG_FRENCH} "Glimmora est un logiciel libre sous cette licence."
LangString FreeSoftware ${LANG_POLISH} "Glimmora jest wolnym oprogramowaniem na tej licencji."
LangString FreeSoftware ${LANG_SPANISH} "Glimmora es software libre bajo esta licencia."
LangString FreeSoftware ${LANG_TURKISH} "Glimmora bu lisans altında özgür bir yazılımdır."
LangString FreeSoftware ${LANG_DANISH} "Glimmora er fri software under denne licens."

LangString StartMenuEntry ${LANG_ENGLISH} "Start menu entry"
LangString StartMenuEntry ${LANG_GERMAN} "Eintrag im Startmenü"
LangString StartMenuEntry ${LANG_FRENCH} "Entrée dans le menu Démarrer"
LangString StartMenuEntry ${LANG_POLISH} "Skrót w menu Start"
LangString StartMenuEntry ${LANG_SPANISH} "Entrada en el menú Inicio"
LangString StartMenuEntry ${LANG_TURKISH} "Başlat menüsü girdisi"
LangString StartMenuEntry ${LANG_DANISH} "Genvej i menuen Start"

LangString StartWithWindows ${LANG_ENGLISH} "Start with Windows"
LangString StartWithWindows ${LANG_GERMAN} "Mit Windows starten"
LangString StartWithWindows ${LANG_FRENCH} "Démarrer avec Windows"
LangString StartWithWindows ${LANG_POLISH} "Uruchamiaj z systemem Windows"
LangString StartWithWindows ${LANG_SPANISH} "Iniciar con Windows"
LangString StartWithWindows ${LANG_TURKISH} "Windows ile başlat"
LangString StartWithWindows ${LANG_DANISH} "Start med Windows"

; The tooltip of the Start-menu entry.
LangString ShortcutDescription ${LANG_ENGLISH} "Makes the mouse and the keyboard visible"
LangString ShortcutDescription ${LANG_GERMAN} "Macht Maus und Tastatur sichtbar"
LangString ShortcutDescription ${LANG_FRENCH} "Rend la souris et le clavier visibles"
LangString ShortcutDescription ${LANG_POLISH} "Uwidacznia mysz i klawiaturę"
LangString ShortcutDescription ${LANG_SPANISH} "Hace visibles el ratón y el teclado"
LangString ShortcutDescription ${LANG_TURKISH} "Fareyi ve klavyeyi görünür kılar"
LangString ShortcutDescription ${LANG_DANISH} "Gør musen og tastaturet synlige"

; "Exit" as the program's tray menu has it in each language, the button as Windows names it.
LangString GlimmoraRunning ${LANG_ENGLISH} "Glimmora is running. Please end it (right click on its icon in the notification area, then Exit) and choose Retry."
LangString GlimmoraRunning ${LANG_GERMAN} "Glimmora läuft. Bitte beenden Sie es (Rechtsklick auf sein Symbol im Infobereich, dann Beenden) und wählen Sie Wiederholen."
LangString GlimmoraRunning ${LANG_FRENCH} "Glimmora est en cours d'exécution. Veuillez le fermer (clic droit sur son icône dans la zone de notification, puis Quitter) et choisir Réessayer."
LangString GlimmoraRunning ${LANG_POLISH} "Glimmora jest uruchomiona. Zakończ ją (prawy klik na jej ikonie w obszarze powiadomień, potem Zakończ) i wybierz Ponów próbę."
LangString GlimmoraRunning ${LANG_SPANISH} "Glimmora se está ejecutando. Ciérrelo (clic derecho en su icono del área de notificación, luego Salir) y elija Reintentar."
LangString GlimmoraRunning ${LANG_TURKISH} "Glimmora çalışıyor. Lütfen kapatın (bildirim alanındaki simgesine sağ tıklayın, sonra Çıkış) ve Yeniden Dene'yi seçin."
LangString GlimmoraRunning ${LANG_DANISH} "Glimmora kører. Afslut programmet (højreklik på dets ikon i meddelelsesområdet, derefter Afslut), og vælg Prøv igen."

LangString RemoveSettings ${LANG_ENGLISH} "Remove your Glimmora settings too?"
LangString RemoveSettings ${LANG_GERMAN} "Auch Ihre Glimmora-Einstellungen entfernen?"
LangString RemoveSettings ${LANG_FRENCH} "Supprimer aussi vos réglages de Glimmora ?"
LangString RemoveSettings ${LANG_POLISH} "Usunąć również ustawienia programu Glimmora?"
LangString RemoveSettings ${LANG_SPANISH} "¿Eliminar también su configuración de Glimmora?"
LangString RemoveSettings ${LANG_TURKISH} "Glimmora ayarlarınız da kaldırılsın mı?"
LangString RemoveSettings ${LANG_DANISH} "Skal dine Glimmora-indstillinger også fjernes?"

; The program's choice: the primary language of the user's locale (de-AT is German as
; de-DE is), English for any language not listed here.
!macro CHOOSE_LANGUAGE
    System::Call 'kernel32::GetUserDefaultLangID() i .r0'
    IntOp $0 $0 & 0x3FF
    IntOp $0 $0 | 0x400
    ${Switch} $0
        ${Case} ${LANG_GERMAN}
        ${Case} ${LANG_FRENCH}
        ${Case} ${LANG_POLISH}
        ${Case} ${LANG_SPANISH}
        ${Case} ${LANG_TURKISH}
        ${Case} ${LANG_DANISH}
            StrCpy $LANGUAGE $0
            ${Break}
        ${Default}
            StrCpy $LANGUAGE ${LANG_ENGLISH}
    ${EndSwitch}
!macroend
