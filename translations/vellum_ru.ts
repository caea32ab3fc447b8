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
        <source>This is a symbolic link. Vellum does not read or write its files through links: put the file itself in its place.</source>
        <translation>Это символическая ссылка. Vellum не читает и не пишет свои файлы через ссылки: положите на её место сам файл.</translation>
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
<context>
    <name>UnusableFile</name>
    <message>
        <source> Vellum goes on without this file and saves nothing in it.</source>
        <translation> Vellum продолжает работу без этого файла и ничего в нём не сохраняет.</translation>
    </message>
</context>
</TS>
