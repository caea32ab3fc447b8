<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AboutBox</name>
    <message>
        <source>About %1</source>
        <translation>Über %1</translation>
    </message>
</context>
<context>
    <name>AtomicFile</name>
    <message>
        <source>This is a symbolic link that changed while Vellum used it.</source>
        <translation>Dies ist eine symbolische Verknüpfung, die sich geändert hat, während Vellum sie benutzte.</translation>
    </message>
    <message>
        <source>This is a symbolic link to %1, which is a folder.</source>
        <translation>Dies ist eine symbolische Verknüpfung auf %1, einen Ordner.</translation>
    </message>
    <message>
        <source>This is a symbolic link to %1, which is not a regular file.</source>
        <translation>Dies ist eine symbolische Verknüpfung auf %1, keine gewöhnliche Datei.</translation>
    </message>
    <message>
        <source>This is a symbolic link to %1, a file of another user: Vellum does not write through it.</source>
        <translation>Dies ist eine symbolische Verknüpfung auf %1, eine Datei eines anderen Benutzers: Vellum schreibt nicht durch sie.</translation>
    </message>
    <message>
        <source>This is a symbolic link to %1, which does not exist.</source>
        <translation>Dies ist eine symbolische Verknüpfung auf %1, das es nicht gibt.</translation>
    </message>
    <message>
        <source>This is a symbolic link. Vellum does not read or write its files through links: put the file itself in its place.</source>
        <translation>Dies ist eine symbolische Verknüpfung. Vellum liest und schreibt seine Dateien nicht über Verknüpfungen: Legen Sie die Datei selbst an ihre Stelle.</translation>
    </message>
    <message>
        <source>This is a folder, not a file.</source>
        <translation>Dies ist ein Ordner, keine Datei.</translation>
    </message>
    <message>
        <source>This is not a regular file.</source>
        <translation>Dies ist keine normale Datei.</translation>
    </message>
    <message>
        <source>the message can&apos;t be read back</source>
        <translation>die Nachricht kann nicht zurückgelesen werden</translation>
    </message>
</context>
<context>
    <name>ByteSize</name>
    <message>
        <source>byte</source>
        <translation>Byte</translation>
    </message>
    <message>
        <source>bytes</source>
        <translation>Bytes</translation>
    </message>
</context>
<context>
    <name>DraftNotice</name>
    <message>
        <source>Message notice</source>
        <translation>Hinweis zur Nachricht</translation>
    </message>
    <message>
        <source>Your unsent message is back: Vellum ended unexpectedly before it was sent.</source>
        <translation>Ihre nicht gesendete Nachricht ist wieder da: Vellum wurde unerwartet beendet, bevor sie gesendet war.</translation>
    </message>
    <message>
        <source>Your unsent message is back: the system closed Vellum (a logout or shutdown) before it was sent.</source>
        <translation>Ihre nicht gesendete Nachricht ist wieder da: Das System hat Vellum geschlossen (Abmelden oder Herunterfahren), bevor sie gesendet war.</translation>
    </message>
    <message>
        <source>Left out, no longer found: %1.</source>
        <translation>Weggelassen, nicht mehr vorhanden: %1.</translation>
    </message>
    <message>
        <source>A draft that could not be read was kept in the data folder as %1.</source>
        <translation>Ein Entwurf, der nicht gelesen werden konnte, liegt im Datenordner als %1.</translation>
    </message>
    <message>
        <source>Drafts that could not be read were kept in the data folder as %1.</source>
        <translation>Entwürfe, die nicht gelesen werden konnten, liegen im Datenordner als %1.</translation>
    </message>
    <message>
        <source>One more unsent message comes back at the next start.</source>
        <translation>Eine weitere nicht gesendete Nachricht kommt beim nächsten Start wieder.</translation>
    </message>
    <message>
        <source>%1 more unsent messages come back at the next starts, one each.</source>
        <translation>%1 weitere nicht gesendete Nachrichten kommen bei den nächsten Starts wieder, je eine.</translation>
    </message>
    <message>
        <source>The message can&apos;t be kept on disk in case Vellum ends: %1</source>
        <translation>Die Nachricht kann nicht für den Fall, dass Vellum endet, auf der Festplatte bewahrt werden: %1</translation>
    </message>
</context>
<context>
    <name>LastResort</name>
    <message>
        <source>Run-time error &apos;%1&apos;:</source>
        <translation>Laufzeitfehler &apos;%1&apos;:</translation>
    </message>
</context>
<context>
    <name>MailComponent</name>
    <message>
        <source>The mail component can&apos;t be loaded: %1</source>
        <translation>Die Mail-Komponente kann nicht geladen werden: %1</translation>
    </message>
</context>
<context>
    <name>RuntimeError</name>
    <message>
        <source>Out of memory</source>
        <translation>Nicht genügend Arbeitsspeicher</translation>
    </message>
    <message>
        <source>Unknown failure</source>
        <translation>Unbekannter Fehler</translation>
    </message>
</context>
<context>
    <name>SettingsStore</name>
    <message>
        <source>%1: can&apos;t read settings</source>
        <translation>%1: Die Einstellungen können nicht gelesen werden</translation>
    </message>
    <message>
        <source>%1: can&apos;t create the settings folder</source>
        <translation>%1: Der Ordner für die Einstellungen kann nicht erstellt werden</translation>
    </message>
    <message>
        <source>%1: can&apos;t write settings</source>
        <translation>%1: Die Einstellungen können nicht geschrieben werden</translation>
    </message>
</context>
<context>
    <name>SpellChecking</name>
    <message>
        <source>No suggestions</source>
        <translation>Keine Vorschläge</translation>
    </message>
    <message>
        <source>Add to dictionary</source>
        <translation>Zum Wörterbuch hinzufügen</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Ignorieren</translation>
    </message>
    <message>
        <source>Check spelling</source>
        <translation>Rechtschreibung prüfen</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
</context>
<context>
    <name>Support</name>
    <message>
        <source>The user&apos;s data folder is unknown</source>
        <translation>Der Datenordner des Benutzers ist unbekannt</translation>
    </message>
</context>
<context>
    <name>frmAttachments</name>
    <message>
        <source> Keep these attachments </source>
        <translation> Diese Anhänge übernehmen </translation>
    </message>
    <message>
        <source> Leave the attachments as they were </source>
        <translation> Anhänge unverändert lassen </translation>
    </message>
    <message>
        <source>Attachments</source>
        <translation>Anhänge</translation>
    </message>
    <message>
        <source>Total size: 0 bytes</source>
        <translation>Gesamtgröße: 0 Bytes</translation>
    </message>
    <message>
        <source> Add attachments (Ins) </source>
        <translation> Anhänge hinzufügen (Einfg) </translation>
    </message>
    <message>
        <source> Remove selected attachments (Del) </source>
        <translation> Ausgewählte Anhänge entfernen (Entf) </translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Attached files</source>
        <translation>Angehängte Dateien</translation>
    </message>
    <message>
        <source>Ins adds files, Del removes the selected ones, Ctrl+A selects all</source>
        <translation>Einfg fügt Dateien hinzu, Entf entfernt die ausgewählten, Strg+A wählt alle aus</translation>
    </message>
    <message>
        <source>Add attachments</source>
        <translation>Anhänge hinzufügen</translation>
    </message>
    <message>
        <source>Adds files (Ins)</source>
        <translation>Fügt Dateien hinzu (Einfg)</translation>
    </message>
    <message>
        <source>Remove selected attachments</source>
        <translation>Ausgewählte Anhänge entfernen</translation>
    </message>
    <message>
        <source>Removes the selected files from the list (Del)</source>
        <translation>Entfernt die ausgewählten Dateien aus der Liste (Entf)</translation>
    </message>
    <message>
        <source>Attaches the listed files and closes</source>
        <translation>Hängt die aufgeführten Dateien an und schließt</translation>
    </message>
    <message>
        <source>Cancel: closes without changing the attachments</source>
        <translation>Abbrechen: schließt, ohne die Anhänge zu ändern</translation>
    </message>
    <message>
        <source>Attachments :: %1</source>
        <translation>Anhänge :: %1</translation>
    </message>
    <message>
        <source>Total size: %1</source>
        <translation>Gesamtgröße: %1</translation>
    </message>
    <message>
        <source>Remove selected files?</source>
        <translation>Ausgewählte Dateien entfernen?</translation>
    </message>
    <message>
        <source>All files|*.*</source>
        <translation>Alle Dateien|*.*</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source> %1 sends the message; click to choose another key </source>
        <translation> %1 sendet die Nachricht; Klick wählt eine andere Taste </translation>
    </message>
    <message>
        <source> Attach files </source>
        <translation> Dateien anhängen </translation>
    </message>
    <message>
        <source> Send the message </source>
        <translation> Nachricht senden </translation>
    </message>
    <message>
        <source>Vellum</source>
        <translation>Vellum</translation>
    </message>
    <message>
        <source>To:</source>
        <translation>An:</translation>
    </message>
    <message>
        <source> History </source>
        <translation> Verlauf </translation>
    </message>
    <message>
        <source>Subject:</source>
        <translation>Betreff:</translation>
    </message>
    <message>
        <source>Ctrl+Enter</source>
        <translation>Strg+Enter</translation>
    </message>
    <message>
        <source> Open server settings dialog </source>
        <translation> Servereinstellungen öffnen </translation>
    </message>
    <message>
        <source> Open data folder </source>
        <translation> Datenordner öffnen </translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Senden</translation>
    </message>
    <message>
        <source>Send key: </source>
        <translation>Sendetaste: </translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Enter</translation>
    </message>
    <message>
        <source>Attachments: %1</source>
        <translation>Anhänge: %1</translation>
    </message>
    <message>
        <source>Please configure server first.</source>
        <translation>Bitte zuerst den Server einrichten.</translation>
    </message>
    <message>
        <source>The nature don&apos;t like emptiness.</source>
        <translation>Die Natur verabscheut die Leere.</translation>
    </message>
    <message>
        <source>Can&apos;t send mail.</source>
        <translation>Die E-Mail kann nicht gesendet werden.</translation>
    </message>
    <message>
        <source>Can&apos;t write file. Local copy of this message was not saved.</source>
        <translation>Die Datei kann nicht geschrieben werden. Die lokale Kopie dieser Nachricht wurde nicht gespeichert.</translation>
    </message>
    <message>
        <source>To</source>
        <translation>An</translation>
    </message>
    <message>
        <source>Recipients, separated by commas or semicolons</source>
        <translation>Empfänger, durch Kommas oder Semikolons getrennt</translation>
    </message>
    <message>
        <source>Recipient history</source>
        <translation>Empfängerverlauf</translation>
    </message>
    <message>
        <source>Offers the recipients of earlier messages</source>
        <translation>Bietet die Empfänger früherer Nachrichten an</translation>
    </message>
    <message>
        <source>Subject</source>
        <translation>Betreff</translation>
    </message>
    <message>
        <source>Subject of the message</source>
        <translation>Betreff der Nachricht</translation>
    </message>
    <message>
        <source>Subject history</source>
        <translation>Betreffverlauf</translation>
    </message>
    <message>
        <source>Offers the subjects of earlier messages</source>
        <translation>Bietet die Betreffzeilen früherer Nachrichten an</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Nachricht</translation>
    </message>
    <message>
        <source>Text of the message</source>
        <translation>Text der Nachricht</translation>
    </message>
    <message>
        <source>Send key: Ctrl+Enter</source>
        <translation>Sendetaste: Strg+Enter</translation>
    </message>
    <message>
        <source>Chooses the key that sends: Ctrl+Enter, Enter, F5 or F12</source>
        <translation>Wählt die Sendetaste: Strg+Enter, Enter, F5 oder F12</translation>
    </message>
    <message>
        <source>Server settings</source>
        <translation>Servereinstellungen</translation>
    </message>
    <message>
        <source>Opens the server settings dialog</source>
        <translation>Öffnet die Servereinstellungen</translation>
    </message>
    <message>
        <source>Open data folder</source>
        <translation>Datenordner öffnen</translation>
    </message>
    <message>
        <source>Opens the folder with the copies of sent messages</source>
        <translation>Öffnet den Ordner mit den Kopien gesendeter Nachrichten</translation>
    </message>
    <message>
        <source>Attachments: 0</source>
        <translation>Anhänge: 0</translation>
    </message>
    <message>
        <source>Opens the list of attached files</source>
        <translation>Öffnet die Liste der angehängten Dateien</translation>
    </message>
    <message>
        <source>Sends the message</source>
        <translation>Sendet die Nachricht</translation>
    </message>
    <message>
        <source>Can&apos;t open data folder.</source>
        <translation>Der Datenordner kann nicht geöffnet werden.</translation>
    </message>
</context>
<context>
    <name>frmSettings</name>
    <message>
        <source> Keep these settings </source>
        <translation> Diese Einstellungen übernehmen </translation>
    </message>
    <message>
        <source> Leave the settings as they were </source>
        <translation> Einstellungen unverändert lassen </translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source> Mails </source>
        <translation> E-Mail </translation>
    </message>
    <message>
        <source>Mail from:</source>
        <translation>Absender:</translation>
    </message>
    <message>
        <source> Server settings </source>
        <translation> Servereinstellungen </translation>
    </message>
    <message>
        <source>User name:</source>
        <translation>Benutzername:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Passwort:</translation>
    </message>
    <message>
        <source>SMTP server:</source>
        <translation>SMTP-Server:</translation>
    </message>
    <message>
        <source>SMTP server port:</source>
        <translation>SMTP-Server-Port:</translation>
    </message>
    <message>
        <source>Use SSL</source>
        <translation>Mit SSL</translation>
    </message>
    <message>
        <source> Misc </source>
        <translation> Sonstiges </translation>
    </message>
    <message>
        <source>Use &quot;~$&quot; prefix for EML files</source>
        <translation>Präfix „~$“ für EML-Dateien</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Mails</source>
        <translation>E-Mail</translation>
    </message>
    <message>
        <source>The sender of the messages</source>
        <translation>Der Absender der Nachrichten</translation>
    </message>
    <message>
        <source>Server settings</source>
        <translation>Servereinstellungen</translation>
    </message>
    <message>
        <source>The SMTP account and server</source>
        <translation>Das SMTP-Konto und der Server</translation>
    </message>
    <message>
        <source>Misc</source>
        <translation>Sonstiges</translation>
    </message>
    <message>
        <source>Other options</source>
        <translation>Weitere Optionen</translation>
    </message>
    <message>
        <source>Mail from</source>
        <translation>Absender</translation>
    </message>
    <message>
        <source>The sender address of the messages</source>
        <translation>Die Absenderadresse der Nachrichten</translation>
    </message>
    <message>
        <source>User name</source>
        <translation>Benutzername</translation>
    </message>
    <message>
        <source>User name of the SMTP account</source>
        <translation>Benutzername des SMTP-Kontos</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>Password of the SMTP account</source>
        <translation>Passwort des SMTP-Kontos</translation>
    </message>
    <message>
        <source>SMTP server</source>
        <translation>SMTP-Server</translation>
    </message>
    <message>
        <source>Name or address of the SMTP server</source>
        <translation>Name oder Adresse des SMTP-Servers</translation>
    </message>
    <message>
        <source>SMTP server port</source>
        <translation>SMTP-Server-Port</translation>
    </message>
    <message>
        <source>Port of the SMTP server, 1 to 65535</source>
        <translation>Port des SMTP-Servers, 1 bis 65535</translation>
    </message>
    <message>
        <source>Implicit TLS on port 465, STARTTLS on any other port</source>
        <translation>Implizites TLS an Port 465, STARTTLS an jedem anderen Port</translation>
    </message>
    <message>
        <source>Starts the names of the local message copies with ~$</source>
        <translation>Lässt die Namen der lokalen Nachrichtenkopien mit ~$ beginnen</translation>
    </message>
    <message>
        <source>Keeps the settings and closes</source>
        <translation>Übernimmt die Einstellungen und schließt</translation>
    </message>
    <message>
        <source>Closes without changing the settings</source>
        <translation>Schließt, ohne die Einstellungen zu ändern</translation>
    </message>
    <message>
        <source>Invalid SMTP server port value.</source>
        <translation>Ungültiger Wert für den SMTP-Server-Port.</translation>
    </message>
    <message>
        <source>Set port to standard value %1.</source>
        <translation>Port auf den Standardwert %1 setzen.</translation>
    </message>
</context>
<context>
    <name>frmSubject</name>
    <message>
        <source> Send with this subject </source>
        <translation> Mit diesem Betreff senden </translation>
    </message>
    <message>
        <source> Back to the message without sending </source>
        <translation> Zurück zur Nachricht, ohne zu senden </translation>
    </message>
    <message>
        <source>Subject is missing (you still can leave it blank)</source>
        <translation>Betreff fehlt (er darf auch leer bleiben)</translation>
    </message>
    <message>
        <source> History </source>
        <translation> Verlauf </translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Subject</source>
        <translation>Betreff</translation>
    </message>
    <message>
        <source>Subject of the message; it may stay blank</source>
        <translation>Betreff der Nachricht; er darf leer bleiben</translation>
    </message>
    <message>
        <source>Subject history</source>
        <translation>Betreffverlauf</translation>
    </message>
    <message>
        <source>Offers the subjects of earlier messages</source>
        <translation>Bietet die Betreffzeilen früherer Nachrichten an</translation>
    </message>
    <message>
        <source>Sends the message with this subject</source>
        <translation>Sendet die Nachricht mit diesem Betreff</translation>
    </message>
    <message>
        <source>Cancel: goes back to the message without sending</source>
        <translation>Abbrechen: zurück zur Nachricht, ohne zu senden</translation>
    </message>
</context>
<context>
    <name>modMain</name>
    <message>
        <source>Can&apos;t create or open data folder.</source>
        <translation>Der Datenordner kann nicht erstellt oder geöffnet werden.</translation>
    </message>
</context>
<context>
    <name>ucAnimation</name>
    <message>
        <source>Sending mail...</source>
        <translation>Senden...</translation>
    </message>
    <message>
        <source>Shown while the message is being sent</source>
        <translation>Wird angezeigt, während die Nachricht gesendet wird</translation>
    </message>
</context>
<context>
    <name>UnusableFile</name>
    <message>
        <source> Vellum goes on without this file and saves nothing in it.</source>
        <translation> Vellum arbeitet ohne diese Datei weiter und speichert nichts darin.</translation>
    </message>
</context>
</TS>
