<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>AboutBox</name>
    <message>
        <source>About %1</source>
        <translation>О программе %1</translation>
    </message>
</context>
<context>
    <name>AddressList</name>
    <message>
        <source>The sender &quot;%1&quot; is not a valid mail address.</source>
        <translation>Адрес отправителя «%1» не является допустимым адресом электронной почты.</translation>
    </message>
    <message>
        <source>The sender &quot;%1&quot; contains a line break.</source>
        <translation>Адрес отправителя «%1» содержит перевод строки.</translation>
    </message>
    <message>
        <source>The sender &quot;%1&quot; contains a control character (shown as �), which can&apos;t be sent.</source>
        <translation>Адрес отправителя «%1» содержит управляющий символ (показан как �), который нельзя отправить.</translation>
    </message>
    <message>
        <source>There is no sender address.</source>
        <translation>Не указан адрес отправителя.</translation>
    </message>
    <message>
        <source>The recipient &quot;%1&quot; is not a valid mail address.</source>
        <translation>Адрес получателя «%1» не является допустимым адресом электронной почты.</translation>
    </message>
    <message>
        <source>The recipient &quot;%1&quot; contains a line break.</source>
        <translation>Адрес получателя «%1» содержит перевод строки.</translation>
    </message>
    <message>
        <source>The recipient &quot;%1&quot; contains a control character (shown as �), which can&apos;t be sent.</source>
        <translation>Адрес получателя «%1» содержит управляющий символ (показан как �), который нельзя отправить.</translation>
    </message>
    <message>
        <source>There is no recipient address.</source>
        <translation>Не указан адрес получателя.</translation>
    </message>
</context>
<context>
    <name>AtomicFile</name>
    <message>
        <source>This is a symbolic link that changed while Vellum used it.</source>
        <translation>Это символическая ссылка, которая изменилась, пока Vellum ею пользовался.</translation>
    </message>
    <message>
        <source>This is a symbolic link to %1, which is a folder.</source>
        <translation>Это символическая ссылка на %1, а это папка.</translation>
    </message>
    <message>
        <source>This is a symbolic link to %1, which is not a regular file.</source>
        <translation>Это символическая ссылка на %1, а это не обычный файл.</translation>
    </message>
    <message>
        <source>This is a symbolic link to %1, a file of another user: Vellum does not write through it.</source>
        <translation>Это символическая ссылка на %1, файл другого пользователя: Vellum не пишет через неё.</translation>
    </message>
    <message>
        <source>This is a symbolic link to %1, which does not exist.</source>
        <translation>Это символическая ссылка на %1, которого не существует.</translation>
    </message>
    <message>
        <source>This is a folder, not a file.</source>
        <translation>Это папка, а не файл.</translation>
    </message>
    <message>
        <source>This is not a regular file.</source>
        <translation>Это не обычный файл.</translation>
    </message>
    <message>
        <source>the message can&apos;t be read back</source>
        <translation>письмо не удаётся прочитать обратно</translation>
    </message>
</context>
<context>
    <name>ByteSize</name>
    <message>
        <source>byte</source>
        <translation>байт</translation>
    </message>
    <message>
        <source>bytes</source>
        <translation>байт</translation>
    </message>
</context>
<context>
    <name>DraftNotice</name>
    <message>
        <source>Message notice</source>
        <translation>Уведомление о сообщении</translation>
    </message>
    <message>
        <source>Your unsent message is back: Vellum ended unexpectedly before it was sent.</source>
        <translation>Неотправленное сообщение восстановлено: Vellum неожиданно завершился до отправки.</translation>
    </message>
    <message>
        <source>Your unsent message is back: the system closed Vellum (a logout or shutdown) before it was sent.</source>
        <translation>Неотправленное сообщение восстановлено: система закрыла Vellum (выход из сеанса или выключение) до отправки.</translation>
    </message>
    <message>
        <source>Left out, no longer found: %1.</source>
        <translation>Не найдены и пропущены: %1.</translation>
    </message>
    <message>
        <source>A draft that could not be read was kept in the data folder as %1.</source>
        <translation>Черновик, который не удалось прочитать, сохранён в папке данных как %1.</translation>
    </message>
    <message>
        <source>Drafts that could not be read were kept in the data folder as %1.</source>
        <translation>Черновики, которые не удалось прочитать, сохранены в папке данных как %1.</translation>
    </message>
    <message>
        <source>One more unsent message comes back at the next start.</source>
        <translation>Ещё одно неотправленное сообщение вернётся при следующем запуске.</translation>
    </message>
    <message>
        <source>%1 more unsent messages come back at the next starts, one each.</source>
        <translation>Ещё неотправленных сообщений: %1; они вернутся при следующих запусках, по одному.</translation>
    </message>
    <message>
        <source>The message can&apos;t be kept on disk in case Vellum ends: %1</source>
        <translation>Сообщение не удаётся сохранить на диске на случай завершения Vellum: %1</translation>
    </message>
</context>
<context>
    <name>LastResort</name>
    <message>
        <source>Run-time error &apos;%1&apos;:</source>
        <translation>Ошибка выполнения &apos;%1&apos;:</translation>
    </message>
</context>
<context>
    <name>MailComponent</name>
    <message>
        <source>The mail component can&apos;t be loaded: %1</source>
        <translation>Не удаётся загрузить почтовый компонент: %1</translation>
    </message>
</context>
<context>
    <name>MessageSpool</name>
    <message>
        <source>The message can&apos;t be put together: there is no folder to write it to (%1).</source>
        <translation>Не удаётся собрать сообщение: нет папки, в которую его можно записать (%1).</translation>
    </message>
</context>
<context>
    <name>MimeMessage</name>
    <message>
        <source>This file can&apos;t be read: %1</source>
        <translation>Этот файл не удаётся прочитать: %1</translation>
    </message>
    <message>
        <source>The message can&apos;t be put together: an attached file could not be read.</source>
        <translation>Не удаётся собрать сообщение: не удалось прочитать вложенный файл.</translation>
    </message>
    <message>
        <source>The message can&apos;t be put together: it can&apos;t be written to disk (%1).</source>
        <translation>Не удаётся собрать сообщение: его не удаётся записать на диск (%1).</translation>
    </message>
</context>
<context>
    <name>RuntimeError</name>
    <message>
        <source>Out of memory</source>
        <translation>Недостаточно памяти</translation>
    </message>
    <message>
        <source>Unknown failure</source>
        <translation>Неизвестная ошибка</translation>
    </message>
</context>
<context>
    <name>SettingsStore</name>
    <message>
        <source>%1: can&apos;t read settings</source>
        <translation>%1: не удаётся прочитать настройки</translation>
    </message>
    <message>
        <source>%1: can&apos;t create the settings folder</source>
        <translation>%1: не удаётся создать папку настроек</translation>
    </message>
    <message>
        <source>%1: can&apos;t write settings</source>
        <translation>%1: не удаётся записать настройки</translation>
    </message>
</context>
<context>
    <name>SmtpMailMessage</name>
    <message>
        <source>This file does not exist.</source>
        <translation>Этот файл не существует.</translation>
    </message>
    <message>
        <source>This is not a file.</source>
        <translation>Это не файл.</translation>
    </message>
    <message>
        <source>The sender &quot;%1&quot; must be one mail address.</source>
        <translation>Отправитель «%1» должен быть одним адресом электронной почты.</translation>
    </message>
    <message>
        <source>The subject contains a NUL character, which a mail header can&apos;t hold.</source>
        <translation>Тема содержит символ NUL, который не может входить в заголовок письма.</translation>
    </message>
</context>
<context>
    <name>SmtpSubmission</name>
    <message>
        <source>No SMTP server is set.</source>
        <translation>SMTP-сервер не указан.</translation>
    </message>
    <message>
        <source>The server name &quot;%1&quot; is not valid.</source>
        <translation>Имя сервера «%1» недопустимо.</translation>
    </message>
    <message>
        <source>The server name &quot;%1&quot; is not valid: the port belongs in its own field.</source>
        <translation>Имя сервера «%1» недопустимо: порт указывается в отдельном поле.</translation>
    </message>
    <message>
        <source>%1 port %2</source>
        <translation>%1, порт %2</translation>
    </message>
    <message>
        <source>The message may have been delivered: check with the recipients or in the server&apos;s sent mail before sending it again.</source>
        <translation>Сообщение, возможно, уже доставлено: прежде чем отправлять его снова, уточните у получателей или проверьте отправленные письма на сервере.</translation>
    </message>
    <message numerus="yes">
        <source>The server received the whole message but did not confirm it within %n seconds. </source>
        <translation>
            <numerusform>Сервер получил всё сообщение, но не подтвердил его приём в течение %n секунды. </numerusform>
            <numerusform>Сервер получил всё сообщение, но не подтвердил его приём в течение %n секунд. </numerusform>
            <numerusform>Сервер получил всё сообщение, но не подтвердил его приём в течение %n секунд. </numerusform>
        </translation>
    </message>
    <message>
        <source>The server received the whole message but closed the connection without confirming it. </source>
        <translation>Сервер получил всё сообщение, но закрыл соединение, не подтвердив его приём. </translation>
    </message>
    <message>
        <source>The server accepts mail only over a secure connection: turn on SSL in the server settings. (%1)</source>
        <translation>Сервер принимает почту только по защищённому соединению: включите SSL в настройках сервера. (%1)</translation>
    </message>
    <message>
        <source>Can&apos;t find the server &quot;%1&quot;. Check the server name.</source>
        <translation>Не удаётся найти сервер «%1». Проверьте имя сервера.</translation>
    </message>
    <message>
        <source>Can&apos;t connect to %1: %2</source>
        <translation>Не удаётся подключиться к %1: %2</translation>
    </message>
    <message numerus="yes">
        <source>The server at %1 accepted the connection but did not set up the secure connection within %n seconds. Check the port and the SSL setting.</source>
        <translation>
            <numerusform>Сервер %1 принял соединение, но не установил защищённое соединение в течение %n секунды. Проверьте порт и настройку SSL.</numerusform>
            <numerusform>Сервер %1 принял соединение, но не установил защищённое соединение в течение %n секунд. Проверьте порт и настройку SSL.</numerusform>
            <numerusform>Сервер %1 принял соединение, но не установил защищённое соединение в течение %n секунд. Проверьте порт и настройку SSL.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Can&apos;t connect to %1: no answer within %n seconds.</source>
        <translation>
            <numerusform>Не удаётся подключиться к %1: нет ответа в течение %n секунды.</numerusform>
            <numerusform>Не удаётся подключиться к %1: нет ответа в течение %n секунд.</numerusform>
            <numerusform>Не удаётся подключиться к %1: нет ответа в течение %n секунд.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The server at %1 accepted the connection but did not greet within %n seconds. Check the server name, the port and the SSL setting.</source>
        <translation>
            <numerusform>Сервер %1 принял соединение, но не прислал приветствие в течение %n секунды. Проверьте имя сервера, порт и настройку SSL.</numerusform>
            <numerusform>Сервер %1 принял соединение, но не прислал приветствие в течение %n секунд. Проверьте имя сервера, порт и настройку SSL.</numerusform>
            <numerusform>Сервер %1 принял соединение, но не прислал приветствие в течение %n секунд. Проверьте имя сервера, порт и настройку SSL.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The server did not set up the secure connection (STARTTLS) within %n seconds. Check the port and the SSL setting.</source>
        <translation>
            <numerusform>Сервер не установил защищённое соединение (STARTTLS) в течение %n секунды. Проверьте порт и настройку SSL.</numerusform>
            <numerusform>Сервер не установил защищённое соединение (STARTTLS) в течение %n секунд. Проверьте порт и настройку SSL.</numerusform>
            <numerusform>Сервер не установил защищённое соединение (STARTTLS) в течение %n секунд. Проверьте порт и настройку SSL.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The server did not answer within %n seconds.</source>
        <translation>
            <numerusform>Сервер не ответил в течение %n секунды.</numerusform>
            <numerusform>Сервер не ответил в течение %n секунд.</numerusform>
            <numerusform>Сервер не ответил в течение %n секунд.</numerusform>
        </translation>
    </message>
    <message>
        <source>The server&apos;s certificate is not trusted: %1</source>
        <translation>Сертификат сервера не является доверенным: %1</translation>
    </message>
    <message>
        <source>The trusted certificates can&apos;t be read: %1</source>
        <translation>Не удаётся прочитать доверенные сертификаты: %1</translation>
    </message>
    <message>
        <source>The server does not offer STARTTLS, so the connection can&apos;t be secured. Check the port and the SSL setting.</source>
        <translation>Сервер не поддерживает STARTTLS, поэтому соединение нельзя защитить. Проверьте порт и настройку SSL.</translation>
    </message>
    <message>
        <source>The secure connection to the server failed: %1. Check the port and the SSL setting.</source>
        <translation>Не удалось установить защищённое соединение с сервером: %1. Проверьте порт и настройку SSL.</translation>
    </message>
    <message>
        <source>The server refused the login: %1</source>
        <translation>Сервер отклонил вход: %1</translation>
    </message>
    <message>
        <source>The server wants a login before it takes mail, and it offered no way to log in on this connection: check the port and the SSL setting. (%1)</source>
        <translation>Сервер требует входа, прежде чем принять почту, но не предлагает способа войти через это соединение: проверьте порт и настройку SSL. (%1)</translation>
    </message>
    <message>
        <source>The server refused the sender address &lt;%1&gt;: %2</source>
        <translation>Сервер отклонил адрес отправителя &lt;%1&gt;: %2</translation>
    </message>
    <message>
        <source>The server refused the recipient &lt;%1&gt;: %2</source>
        <translation>Сервер отклонил получателя &lt;%1&gt;: %2</translation>
    </message>
    <message>
        <source>The server refused the message of %1 as too large: %2. Send fewer or smaller attachments.</source>
        <translation>Сервер отклонил сообщение размером %1 как слишком большое: %2. Отправьте меньше вложений или вложения меньшего размера.</translation>
    </message>
    <message>
        <source>The server refused the message: %1</source>
        <translation>Сервер отклонил сообщение: %1</translation>
    </message>
    <message>
        <source>The server refused to go on: %1</source>
        <translation>Сервер отказался продолжать: %1</translation>
    </message>
    <message>
        <source>The server closed the connection unexpectedly.</source>
        <translation>Сервер неожиданно закрыл соединение.</translation>
    </message>
    <message>
        <source>The connection to the server failed: %1</source>
        <translation>Ошибка соединения с сервером: %1</translation>
    </message>
    <message>
        <source>Details: %1</source>
        <translation>Подробности: %1</translation>
    </message>
    <message>
        <source>The port %1 is not valid: it must be between 1 and 65535.</source>
        <translation>Порт %1 недопустим: он должен быть от 1 до 65535.</translation>
    </message>
    <message>
        <source>The mail transport can&apos;t be started.</source>
        <translation>Не удаётся запустить отправку почты.</translation>
    </message>
    <message>
        <source>The send was stopped because the program is closing.</source>
        <translation>Отправка прервана, так как программа закрывается.</translation>
    </message>
</context>
<context>
    <name>SpellChecking</name>
    <message>
        <source>No suggestions</source>
        <translation>Нет вариантов</translation>
    </message>
    <message>
        <source>Add to dictionary</source>
        <translation>Добавить в словарь</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Пропустить</translation>
    </message>
    <message>
        <source>Check spelling</source>
        <translation>Проверять орфографию</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Язык</translation>
    </message>
</context>
<context>
    <name>Support</name>
    <message>
        <source>The user&apos;s data folder is unknown</source>
        <translation>Папка данных пользователя неизвестна</translation>
    </message>
</context>
<context>
    <name>UnusableFile</name>
    <message>
        <source> Vellum goes on without this file and saves nothing in it.</source>
        <translation> Vellum продолжает работу без этого файла и ничего в нём не сохраняет.</translation>
    </message>
</context>
<context>
    <name>frmAttachments</name>
    <message>
        <source> Keep these attachments </source>
        <translation> Оставить эти вложения </translation>
    </message>
    <message>
        <source> Leave the attachments as they were </source>
        <translation> Оставить вложения как были </translation>
    </message>
    <message>
        <source>Attachments</source>
        <translation>Вложения</translation>
    </message>
    <message>
        <source>Total size: 0 bytes</source>
        <translation>Общий размер: 0 байт</translation>
    </message>
    <message>
        <source> Add attachments (Ins) </source>
        <translation> Добавить вложения (Ins) </translation>
    </message>
    <message>
        <source> Remove selected attachments (Del) </source>
        <translation> Удалить выбранные вложения (Del) </translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Attached files</source>
        <translation>Вложенные файлы</translation>
    </message>
    <message>
        <source>Ins adds files, Del removes the selected ones, Ctrl+A selects all</source>
        <translation>Ins добавляет файлы, Del удаляет выбранные, Ctrl+A выделяет все</translation>
    </message>
    <message>
        <source>Add attachments</source>
        <translation>Добавить вложения</translation>
    </message>
    <message>
        <source>Adds files (Ins)</source>
        <translation>Добавляет файлы (Ins)</translation>
    </message>
    <message>
        <source>Remove selected attachments</source>
        <translation>Удалить выбранные вложения</translation>
    </message>
    <message>
        <source>Removes the selected files from the list (Del)</source>
        <translation>Удаляет выбранные файлы из списка (Del)</translation>
    </message>
    <message>
        <source>Attaches the listed files and closes</source>
        <translation>Прикрепляет файлы из списка и закрывает окно</translation>
    </message>
    <message>
        <source>Cancel: closes without changing the attachments</source>
        <translation>Отмена: закрывает окно, не меняя вложений</translation>
    </message>
    <message>
        <source>Attachments :: %1</source>
        <translation>Вложения :: %1</translation>
    </message>
    <message>
        <source>Total size: %1</source>
        <translation>Общий размер: %1</translation>
    </message>
    <message>
        <source>Remove selected files?</source>
        <translation>Удалить выбранные файлы?</translation>
    </message>
    <message>
        <source>All files|*.*</source>
        <translation>Все файлы|*.*</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source> %1 sends the message; click to choose another key </source>
        <translation> %1 отправляет письмо; щелчок выбирает другую клавишу </translation>
    </message>
    <message>
        <source> Attach files </source>
        <translation> Прикрепить файлы </translation>
    </message>
    <message>
        <source> Send the message </source>
        <translation> Отправить письмо </translation>
    </message>
    <message>
        <source>Vellum</source>
        <translation>Vellum</translation>
    </message>
    <message>
        <source>To:</source>
        <translation>Кому:</translation>
    </message>
    <message>
        <source> History </source>
        <translation> История </translation>
    </message>
    <message>
        <source>Subject:</source>
        <translation>Тема:</translation>
    </message>
    <message>
        <source>Ctrl+Enter</source>
        <translation>Ctrl+Enter</translation>
    </message>
    <message>
        <source> Open server settings dialog </source>
        <translation> Открыть настройки сервера </translation>
    </message>
    <message>
        <source> Open data folder </source>
        <translation> Открыть папку данных </translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Отправить</translation>
    </message>
    <message>
        <source>Send key: </source>
        <translation>Клавиша отправки: </translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Enter</translation>
    </message>
    <message>
        <source>Attachments: %1</source>
        <translation>Вложения: %1</translation>
    </message>
    <message>
        <source>Please configure server first.</source>
        <translation>Сначала настройте сервер.</translation>
    </message>
    <message>
        <source>The nature don&apos;t like emptiness.</source>
        <translation>Природа не терпит пустоты.</translation>
    </message>
    <message>
        <source>Can&apos;t send mail.</source>
        <translation>Не удаётся отправить письмо.</translation>
    </message>
    <message>
        <source>Can&apos;t write file. Local copy of this message was not saved.</source>
        <translation>Не удаётся записать файл. Локальная копия этого письма не сохранена.</translation>
    </message>
    <message>
        <source>To</source>
        <translation>Кому</translation>
    </message>
    <message>
        <source>Recipients, separated by commas or semicolons</source>
        <translation>Получатели через запятую или точку с запятой</translation>
    </message>
    <message>
        <source>Recipient history</source>
        <translation>История получателей</translation>
    </message>
    <message>
        <source>Offers the recipients of earlier messages</source>
        <translation>Предлагает получателей прежних писем</translation>
    </message>
    <message>
        <source>Subject</source>
        <translation>Тема</translation>
    </message>
    <message>
        <source>Subject of the message</source>
        <translation>Тема письма</translation>
    </message>
    <message>
        <source>Subject history</source>
        <translation>История тем</translation>
    </message>
    <message>
        <source>Offers the subjects of earlier messages</source>
        <translation>Предлагает темы прежних писем</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Письмо</translation>
    </message>
    <message>
        <source>Text of the message</source>
        <translation>Текст письма</translation>
    </message>
    <message>
        <source>Send key: Ctrl+Enter</source>
        <translation>Клавиша отправки: Ctrl+Enter</translation>
    </message>
    <message>
        <source>Chooses the key that sends: Ctrl+Enter, Enter, F5 or F12</source>
        <translation>Выбирает клавишу отправки: Ctrl+Enter, Enter, F5 или F12</translation>
    </message>
    <message>
        <source>Server settings</source>
        <translation>Настройки сервера</translation>
    </message>
    <message>
        <source>Opens the server settings dialog</source>
        <translation>Открывает окно настроек сервера</translation>
    </message>
    <message>
        <source>Open data folder</source>
        <translation>Открыть папку данных</translation>
    </message>
    <message>
        <source>Opens the folder with the copies of sent messages</source>
        <translation>Открывает папку с копиями отправленных писем</translation>
    </message>
    <message>
        <source>Attachments: 0</source>
        <translation>Вложения: 0</translation>
    </message>
    <message>
        <source>Opens the list of attached files</source>
        <translation>Открывает список вложенных файлов</translation>
    </message>
    <message>
        <source>Sends the message</source>
        <translation>Отправляет письмо</translation>
    </message>
    <message>
        <source>Can&apos;t open data folder.</source>
        <translation>Не удаётся открыть папку данных.</translation>
    </message>
</context>
<context>
    <name>frmSettings</name>
    <message>
        <source> Keep these settings </source>
        <translation> Сохранить эти настройки </translation>
    </message>
    <message>
        <source> Leave the settings as they were </source>
        <translation> Оставить настройки как были </translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source> Mails </source>
        <translation> Почта </translation>
    </message>
    <message>
        <source>Mail from:</source>
        <translation>От кого:</translation>
    </message>
    <message>
        <source> Server settings </source>
        <translation> Настройки сервера </translation>
    </message>
    <message>
        <source>User name:</source>
        <translation>Пользователь:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Пароль:</translation>
    </message>
    <message>
        <source>SMTP server:</source>
        <translation>SMTP-сервер:</translation>
    </message>
    <message>
        <source>SMTP server port:</source>
        <translation>Порт сервера:</translation>
    </message>
    <message>
        <source>Use SSL</source>
        <translation>SSL</translation>
    </message>
    <message>
        <source> Misc </source>
        <translation> Прочее </translation>
    </message>
    <message>
        <source>Use &quot;~$&quot; prefix for EML files</source>
        <translation>Префикс «~$» для файлов EML</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Mails</source>
        <translation>Почта</translation>
    </message>
    <message>
        <source>The sender of the messages</source>
        <translation>Отправитель писем</translation>
    </message>
    <message>
        <source>Server settings</source>
        <translation>Настройки сервера</translation>
    </message>
    <message>
        <source>The SMTP account and server</source>
        <translation>Учётная запись и SMTP-сервер</translation>
    </message>
    <message>
        <source>Misc</source>
        <translation>Прочее</translation>
    </message>
    <message>
        <source>Other options</source>
        <translation>Другие параметры</translation>
    </message>
    <message>
        <source>Mail from</source>
        <translation>От кого</translation>
    </message>
    <message>
        <source>The sender address of the messages</source>
        <translation>Адрес отправителя писем</translation>
    </message>
    <message>
        <source>User name</source>
        <translation>Пользователь</translation>
    </message>
    <message>
        <source>User name of the SMTP account</source>
        <translation>Имя пользователя учётной записи SMTP</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Пароль</translation>
    </message>
    <message>
        <source>Password of the SMTP account</source>
        <translation>Пароль учётной записи SMTP</translation>
    </message>
    <message>
        <source>SMTP server</source>
        <translation>SMTP-сервер</translation>
    </message>
    <message>
        <source>Name or address of the SMTP server</source>
        <translation>Имя или адрес SMTP-сервера</translation>
    </message>
    <message>
        <source>SMTP server port</source>
        <translation>Порт SMTP-сервера</translation>
    </message>
    <message>
        <source>Port of the SMTP server, 1 to 65535</source>
        <translation>Порт SMTP-сервера, от 1 до 65535</translation>
    </message>
    <message>
        <source>Implicit TLS on port 465, STARTTLS on any other port</source>
        <translation>Неявный TLS на порту 465, STARTTLS на любом другом</translation>
    </message>
    <message>
        <source>Starts the names of the local message copies with ~$</source>
        <translation>Начинает имена локальных копий писем с ~$</translation>
    </message>
    <message>
        <source>Keeps the settings and closes</source>
        <translation>Сохраняет настройки и закрывает окно</translation>
    </message>
    <message>
        <source>Closes without changing the settings</source>
        <translation>Закрывает окно, не меняя настроек</translation>
    </message>
    <message>
        <source>Invalid SMTP server port value.</source>
        <translation>Недопустимый номер порта SMTP-сервера.</translation>
    </message>
    <message>
        <source>Set port to standard value %1.</source>
        <translation>Установить стандартный порт %1.</translation>
    </message>
</context>
<context>
    <name>frmSubject</name>
    <message>
        <source> Send with this subject </source>
        <translation> Отправить с этой темой </translation>
    </message>
    <message>
        <source> Back to the message without sending </source>
        <translation> Вернуться к письму, не отправляя </translation>
    </message>
    <message>
        <source>Subject is missing (you still can leave it blank)</source>
        <translation>Нет темы (её можно оставить пустой)</translation>
    </message>
    <message>
        <source> History </source>
        <translation> История </translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Subject</source>
        <translation>Тема</translation>
    </message>
    <message>
        <source>Subject of the message; it may stay blank</source>
        <translation>Тема письма; может остаться пустой</translation>
    </message>
    <message>
        <source>Subject history</source>
        <translation>История тем</translation>
    </message>
    <message>
        <source>Offers the subjects of earlier messages</source>
        <translation>Предлагает темы прежних писем</translation>
    </message>
    <message>
        <source>Sends the message with this subject</source>
        <translation>Отправляет письмо с этой темой</translation>
    </message>
    <message>
        <source>Cancel: goes back to the message without sending</source>
        <translation>Отмена: возврат к письму без отправки</translation>
    </message>
</context>
<context>
    <name>modMain</name>
    <message>
        <source>Can&apos;t create or open data folder.</source>
        <translation>Не удаётся создать или открыть папку данных.</translation>
    </message>
</context>
<context>
    <name>ucAnimation</name>
    <message>
        <source>Sending mail...</source>
        <translation>Отправка...</translation>
    </message>
    <message>
        <source>Shown while the message is being sent</source>
        <translation>Показывается, пока письмо отправляется</translation>
    </message>
</context>
</TS>
