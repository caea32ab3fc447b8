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
    <name>AddressList</name>
    <message>
        <source>The sender &quot;%1&quot; is not a valid mail address.</source>
        <translation>Der Absender „%1“ ist keine gültige E-Mail-Adresse.</translation>
    </message>
    <message>
        <source>The sender &quot;%1&quot; contains a line break.</source>
        <translation>Der Absender „%1“ enthält einen Zeilenumbruch.</translation>
    </message>
    <message>
        <source>The sender &quot;%1&quot; contains a control character (shown as �), which can&apos;t be sent.</source>
        <translation>Der Absender „%1“ enthält ein Steuerzeichen (als � dargestellt), das nicht gesendet werden kann.</translation>
    </message>
    <message>
        <source>There is no sender address.</source>
        <translation>Es ist keine Absenderadresse angegeben.</translation>
    </message>
    <message>
        <source>The recipient &quot;%1&quot; is not a valid mail address.</source>
        <translation>Der Empfänger „%1“ ist keine gültige E-Mail-Adresse.</translation>
    </message>
    <message>
        <source>The recipient &quot;%1&quot; contains a line break.</source>
        <translation>Der Empfänger „%1“ enthält einen Zeilenumbruch.</translation>
    </message>
    <message>
        <source>The recipient &quot;%1&quot; contains a control character (shown as �), which can&apos;t be sent.</source>
        <translation>Der Empfänger „%1“ enthält ein Steuerzeichen (als � dargestellt), das nicht gesendet werden kann.</translation>
    </message>
    <message>
        <source>There is no recipient address.</source>
        <translation>Es ist keine Empfängeradresse angegeben.</translation>
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
    <name>MessageSpool</name>
    <message>
        <source>The message can&apos;t be put together: there is no folder to write it to (%1).</source>
        <translation>Die Nachricht kann nicht zusammengestellt werden: Es gibt keinen Ordner, in den sie geschrieben werden kann (%1).</translation>
    </message>
</context>
<context>
    <name>MimeMessage</name>
    <message>
        <source>This file can&apos;t be read: %1</source>
        <translation>Diese Datei kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>The message can&apos;t be put together: an attached file could not be read.</source>
        <translation>Die Nachricht kann nicht zusammengestellt werden: Eine angehängte Datei konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The message can&apos;t be put together: it can&apos;t be written to disk (%1).</source>
        <translation>Die Nachricht kann nicht zusammengestellt werden: Sie kann nicht auf den Datenträger geschrieben werden (%1).</translation>
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
    <name>SmtpMailMessage</name>
    <message>
        <source>This file does not exist.</source>
        <translation>Diese Datei existiert nicht.</translation>
    </message>
    <message>
        <source>This is not a file.</source>
        <translation>Dies ist keine Datei.</translation>
    </message>
    <message>
        <source>The sender &quot;%1&quot; must be one mail address.</source>
        <translation>Der Absender „%1“ muss genau eine E-Mail-Adresse sein.</translation>
    </message>
    <message>
        <source>The subject contains a NUL character, which a mail header can&apos;t hold.</source>
        <translation>Der Betreff enthält ein NUL-Zeichen, das eine Kopfzeile einer E-Mail nicht enthalten kann.</translation>
    </message>
</context>
<context>
    <name>SmtpSubmission</name>
    <message>
        <source>No SMTP server is set.</source>
        <translation>Es ist kein SMTP-Server eingestellt.</translation>
    </message>
    <message>
        <source>The server name &quot;%1&quot; is not valid.</source>
        <translation>Der Servername „%1“ ist ungültig.</translation>
    </message>
    <message>
        <source>The server name &quot;%1&quot; is not valid: the port belongs in its own field.</source>
        <translation>Der Servername „%1“ ist ungültig: Der Port gehört in ein eigenes Feld.</translation>
    </message>
    <message>
        <source>%1 port %2</source>
        <translation>%1, Port %2</translation>
    </message>
    <message>
        <source>The message may have been delivered: check with the recipients or in the server&apos;s sent mail before sending it again.</source>
        <translation>Die Nachricht wurde möglicherweise zugestellt: Fragen Sie bei den Empfängern nach oder sehen Sie in den gesendeten Nachrichten auf dem Server nach, bevor Sie sie erneut senden.</translation>
    </message>
    <message numerus="yes">
        <source>The server received the whole message but did not confirm it within %n seconds. </source>
        <translation>
            <numerusform>Der Server hat die ganze Nachricht empfangen, sie aber nicht innerhalb von %n Sekunde bestätigt. </numerusform>
            <numerusform>Der Server hat die ganze Nachricht empfangen, sie aber nicht innerhalb von %n Sekunden bestätigt. </numerusform>
        </translation>
    </message>
    <message>
        <source>The server received the whole message but closed the connection without confirming it. </source>
        <translation>Der Server hat die ganze Nachricht empfangen, aber die Verbindung getrennt, ohne sie zu bestätigen. </translation>
    </message>
    <message>
        <source>The server accepts mail only over a secure connection: turn on SSL in the server settings. (%1)</source>
        <translation>Der Server nimmt E-Mails nur über eine sichere Verbindung an: Schalten Sie SSL in den Servereinstellungen ein. (%1)</translation>
    </message>
    <message>
        <source>Can&apos;t find the server &quot;%1&quot;. Check the server name.</source>
        <translation>Der Server „%1“ wurde nicht gefunden. Prüfen Sie den Servernamen.</translation>
    </message>
    <message>
        <source>Can&apos;t connect to %1: %2</source>
        <translation>Keine Verbindung zu %1 möglich: %2</translation>
    </message>
    <message numerus="yes">
        <source>The server at %1 accepted the connection but did not set up the secure connection within %n seconds. Check the port and the SSL setting.</source>
        <translation>
            <numerusform>Der Server %1 hat die Verbindung angenommen, aber die sichere Verbindung nicht innerhalb von %n Sekunde aufgebaut. Prüfen Sie den Port und die SSL-Einstellung.</numerusform>
            <numerusform>Der Server %1 hat die Verbindung angenommen, aber die sichere Verbindung nicht innerhalb von %n Sekunden aufgebaut. Prüfen Sie den Port und die SSL-Einstellung.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Can&apos;t connect to %1: no answer within %n seconds.</source>
        <translation>
            <numerusform>Keine Verbindung zu %1 möglich: keine Antwort innerhalb von %n Sekunde.</numerusform>
            <numerusform>Keine Verbindung zu %1 möglich: keine Antwort innerhalb von %n Sekunden.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The server at %1 accepted the connection but did not greet within %n seconds. Check the server name, the port and the SSL setting.</source>
        <translation>
            <numerusform>Der Server %1 hat die Verbindung angenommen, aber sich nicht innerhalb von %n Sekunde gemeldet. Prüfen Sie den Servernamen, den Port und die SSL-Einstellung.</numerusform>
            <numerusform>Der Server %1 hat die Verbindung angenommen, aber sich nicht innerhalb von %n Sekunden gemeldet. Prüfen Sie den Servernamen, den Port und die SSL-Einstellung.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The server did not set up the secure connection (STARTTLS) within %n seconds. Check the port and the SSL setting.</source>
        <translation>
            <numerusform>Der Server hat die sichere Verbindung (STARTTLS) nicht innerhalb von %n Sekunde aufgebaut. Prüfen Sie den Port und die SSL-Einstellung.</numerusform>
            <numerusform>Der Server hat die sichere Verbindung (STARTTLS) nicht innerhalb von %n Sekunden aufgebaut. Prüfen Sie den Port und die SSL-Einstellung.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The server did not answer within %n seconds.</source>
        <translation>
            <numerusform>Der Server hat nicht innerhalb von %n Sekunde geantwortet.</numerusform>
            <numerusform>Der Server hat nicht innerhalb von %n Sekunden geantwortet.</numerusform>
        </translation>
    </message>
    <message>
        <source>The server&apos;s certificate is not trusted: %1</source>
        <translation>Dem Zertifikat des Servers wird nicht vertraut: %1</translation>
    </message>
    <message>
        <source>The trusted certificates can&apos;t be read: %1</source>
        <translation>Die vertrauenswürdigen Zertifikate können nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>The server does not offer STARTTLS, so the connection can&apos;t be secured. Check the port and the SSL setting.</source>
        <translation>Der Server bietet kein STARTTLS an, daher kann die Verbindung nicht gesichert werden. Prüfen Sie den Port und die SSL-Einstellung.</translation>
    </message>
    <message>
        <source>The secure connection to the server failed: %1. Check the port and the SSL setting.</source>
        <translation>Die sichere Verbindung zum Server ist fehlgeschlagen: %1. Prüfen Sie den Port und die SSL-Einstellung.</translation>
    </message>
    <message>
        <source>The server refused the login: %1</source>
        <translation>Der Server hat die Anmeldung abgelehnt: %1</translation>
    </message>
    <message>
        <source>The server wants a login before it takes mail, and it offered no way to log in on this connection: check the port and the SSL setting. (%1)</source>
        <translation>Der Server verlangt eine Anmeldung, bevor er E-Mails annimmt, bietet über diese Verbindung aber keine Anmeldung an: Prüfen Sie den Port und die SSL-Einstellung. (%1)</translation>
    </message>
    <message>
        <source>The server refused the sender address &lt;%1&gt;: %2</source>
        <translation>Der Server hat die Absenderadresse &lt;%1&gt; abgelehnt: %2</translation>
    </message>
    <message>
        <source>The server refused the recipient &lt;%1&gt;: %2</source>
        <translation>Der Server hat den Empfänger &lt;%1&gt; abgelehnt: %2</translation>
    </message>
    <message>
        <source>The server refused the message of %1 as too large: %2. Send fewer or smaller attachments.</source>
        <translation>Der Server hat die Nachricht mit %1 als zu groß abgelehnt: %2. Senden Sie weniger oder kleinere Anhänge.</translation>
    </message>
    <message>
        <source>The server refused the message: %1</source>
        <translation>Der Server hat die Nachricht abgelehnt: %1</translation>
    </message>
    <message>
        <source>The server refused to go on: %1</source>
        <translation>Der Server hat die weitere Verarbeitung abgelehnt: %1</translation>
    </message>
    <message>
        <source>The server closed the connection unexpectedly.</source>
        <translation>Der Server hat die Verbindung unerwartet getrennt.</translation>
    </message>
    <message>
        <source>The connection to the server failed: %1</source>
        <translation>Die Verbindung zum Server ist fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Details: %1</source>
        <translation>Details: %1</translation>
    </message>
    <message>
        <source>The port %1 is not valid: it must be between 1 and 65535.</source>
        <translation>Der Port %1 ist ungültig: Er muss zwischen 1 und 65535 liegen.</translation>
    </message>
    <message>
        <source>The mail transport can&apos;t be started.</source>
        <translation>Der E-Mail-Versand kann nicht gestartet werden.</translation>
    </message>
    <message>
        <source>The send was stopped because the program is closing.</source>
        <translation>Das Senden wurde abgebrochen, weil das Programm beendet wird.</translation>
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
    <name>UnusableFile</name>
    <message>
        <source> Vellum goes on without this file and saves nothing in it.</source>
        <translation> Vellum arbeitet ohne diese Datei weiter und speichert nichts darin.</translation>
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
</TS>
