<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl_PL" sourcelanguage="en">
<context>
    <name>QFileDialog</name>
    <message>
        <source>Save File</source>
        <translation>Zapisz plik</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>Computer program Tavo C.H.</source>
        <comment>500</comment>
        <translation>Program komputerowy Tavo C.H.</translation>
    </message>
    <message>
        <source>Tavo C.H. - Error</source>
        <comment>501</comment>
        <translation>Tavo C.H. - Błąd</translation>
    </message>
    <message>
        <source>Tavo C.H. - Help</source>
        <comment>502</comment>
        <translation>Tavo C.H. - Pomoc</translation>
    </message>
    <message>
        <source>Tavo C.H. - Confirmation</source>
        <comment>503</comment>
        <translation>Tavo C.H. - Potwierdzenie</translation>
    </message>
    <message>
        <source>Tavo C.H. - Warning</source>
        <comment>504</comment>
        <translation>Tavo C.H. - Ostrzeżenie</translation>
    </message>
    <message>
        <source>Tavo C.H. 3.2 - version 3.2.0. Copyright (c) 1996-2026 TerVik</source>
        <comment>505</comment>
        <translation>Tavo C.H. 3.2 - wersja 3.2.0. Copyright (c) 1996-2026 TerVik</translation>
    </message>
    <message>
        <source>The program Tavo C.H. has not been installed on this computer. Do you want to install it ?</source>
        <comment>507</comment>
        <translation>Program Tavo C.H. nie jest zainstalowany na tym komputerze. Czy chcesz go zainstalować?</translation>
    </message>
    <message>
        <source>The path of the program is longer than 1023 characters, so it cannot be started:
%s</source>
        <comment>508</comment>
        <translation>Ścieżka programu jest dłuższa niż 1023 znaki, więc nie można go uruchomić:
%s</translation>
    </message>
    <message>
        <source>The entered text &apos;%S&apos; is not a correct symbol.</source>
        <comment>10096</comment>
        <translation>Wpisany tekst „%S” nie jest poprawnym symbolem.</translation>
    </message>
    <message>
        <source>Number &apos;%G&apos; entered in the field does not fit in the permissible range %G .. %G %S.</source>
        <comment>10097</comment>
        <translation>Liczba „%G” wpisana w polu nie mieści się w dopuszczalnym zakresie %G .. %G %S.</translation>
    </message>
    <message>
        <source>Incorrect value &apos;%S&apos; has been entered in the field.</source>
        <comment>10098</comment>
        <translation>W polu wpisano nieprawidłową wartość „%S”.</translation>
    </message>
    <message>
        <source>Colour </source>
        <comment>10194</comment>
        <translation>Kolor </translation>
    </message>
    <message>
        <source>By layer</source>
        <comment>10195</comment>
        <translation>Według warstwy</translation>
    </message>
    <message>
        <source>Black</source>
        <comment>10196</comment>
        <translation>Czarny</translation>
    </message>
    <message>
        <source>Blue</source>
        <comment>10197</comment>
        <translation>Niebieski</translation>
    </message>
    <message>
        <source>Turquoise</source>
        <comment>10198</comment>
        <translation>Turkusowy</translation>
    </message>
    <message>
        <source>Green</source>
        <comment>10199</comment>
        <translation>Zielony</translation>
    </message>
    <message>
        <source>Purple</source>
        <comment>10200</comment>
        <translation>Fioletowy</translation>
    </message>
    <message>
        <source>Red</source>
        <comment>10201</comment>
        <translation>Czerwony</translation>
    </message>
    <message>
        <source>Yellow</source>
        <comment>10202</comment>
        <translation>Żółty</translation>
    </message>
    <message>
        <source>White</source>
        <comment>10203</comment>
        <translation>Biały</translation>
    </message>
    <message>
        <source>Navy blue</source>
        <comment>10204</comment>
        <translation>Granatowy</translation>
    </message>
    <message>
        <source>Dark blue</source>
        <comment>10205</comment>
        <translation>Ciemnoniebieski</translation>
    </message>
    <message>
        <source>Dark green</source>
        <comment>10206</comment>
        <translation>Ciemnozielony</translation>
    </message>
    <message>
        <source>Dark purple</source>
        <comment>10207</comment>
        <translation>Ciemnofioletowy</translation>
    </message>
    <message>
        <source>Dark red</source>
        <comment>10208</comment>
        <translation>Ciemnoczerwony</translation>
    </message>
    <message>
        <source>Dark yellow</source>
        <comment>10209</comment>
        <translation>Ciemnożółty</translation>
    </message>
    <message>
        <source>Dark grey</source>
        <comment>10210</comment>
        <translation>Ciemnoszary</translation>
    </message>
    <message>
        <source>Grey</source>
        <comment>10211</comment>
        <translation>Szary</translation>
    </message>
    <message>
        <source>Non-standard</source>
        <comment>10212</comment>
        <translation>Niestandardowy</translation>
    </message>
    <message>
        <source>True</source>
        <comment>10268</comment>
        <translation>Prawda</translation>
    </message>
    <message>
        <source>False</source>
        <comment>10269</comment>
        <translation>Fałsz</translation>
    </message>
    <message>
        <source>Edit|Adds or deletes the items from the list.</source>
        <comment>10278</comment>
        <translation>Edycja|Dodaje pozycje do listy lub je z niej usuwa.</translation>
    </message>
    <message>
        <source>Edit</source>
        <comment>10279</comment>
        <translation>Edycja</translation>
    </message>
    <message>
        <source>%S</source>
        <comment>10289</comment>
        <translation>%S</translation>
    </message>
    <message>
        <source>Reading document</source>
        <comment>10315</comment>
        <translation>Wczytywanie dokumentu</translation>
    </message>
    <message>
        <source>Copyright (c) 1996-2026 TerVik. All rights reserved.</source>
        <comment>10595</comment>
        <translation>Copyright (c) 1996-2026 TerVik. Wszelkie prawa zastrzeżone.</translation>
    </message>
    <message>
        <source>www.tervik.example.com</source>
        <comment>10596</comment>
        <translation>www.tervik.example.com</translation>
    </message>
    <message>
        <source>The web page of TerVik</source>
        <comment>10597</comment>
        <translation>Strona internetowa firmy TerVik</translation>
    </message>
    <message>
        <source>info@tervik.example.com</source>
        <comment>10598</comment>
        <translation>info@tervik.example.com</translation>
    </message>
    <message>
        <source>Write an e-mail to TerVik</source>
        <comment>10599</comment>
        <translation>Napisz e-mail do firmy TerVik</translation>
    </message>
    <message>
        <source>www.tervik.example.com/tavo/authors.html</source>
        <comment>10600</comment>
        <translation>www.tervik.example.com/tavo/authors.html</translation>
    </message>
    <message>
        <source>No web browser is set up on this computer, so the page cannot be shown. Its address:</source>
        <comment>10601</comment>
        <translation>Na tym komputerze nie skonfigurowano przeglądarki internetowej, więc nie można pokazać strony. Jej adres:</translation>
    </message>
    <message>
        <source>No mail program is set up on this computer. Write to this address:</source>
        <comment>10602</comment>
        <translation>Na tym komputerze nie skonfigurowano programu pocztowego. Napisz na ten adres:</translation>
    </message>
    <message>
        <source>Usage: tavo-shell [--tab programs|internet|manual] | --help | --version
Starts the Tavo C.H. 3.2 disc shell; the disc is the folder the program lies in.
  --tab NAME   opens that tab once the window shows (the reader installer opens the manual)</source>
        <comment>10610</comment>
        <translation>Użycie: tavo-shell [--tab programs|internet|manual] | --help | --version
Uruchamia powłokę płyty Tavo C.H. 3.2; płytą jest folder, w którym leży program.
  --tab NAZWA  otwiera tę kartę, gdy okno się pokaże (instalator przeglądarki otwiera podręcznik)</translation>
    </message>
    <message>
        <source>Opening page %s...</source>
        <comment>10700</comment>
        <translation>Otwieranie strony %s...</translation>
    </message>
    <message>
        <source>Done</source>
        <comment>10701</comment>
        <translation>Gotowe</translation>
    </message>
    <message>
        <source>Cannot open page %s</source>
        <comment>10702</comment>
        <translation>Nie można otworzyć strony %s</translation>
    </message>
    <message>
        <source>https://duckduckgo.com/</source>
        <comment>10703</comment>
        <translation>https://duckduckgo.com/</translation>
    </message>
    <message>
        <source>The web browser&apos;s helper program %s is missing or cannot be run.</source>
        <comment>10704</comment>
        <translation>Brak programu pomocniczego przeglądarki internetowej %s lub nie można go uruchomić.</translation>
    </message>
    <message>
        <source>The web browser cannot run as root with its sandbox; set QTWEBENGINE_DISABLE_SANDBOX=1 to run it without.</source>
        <comment>10705</comment>
        <translation>Przeglądarka internetowa nie może działać z uprawnieniami administratora (root) w piaskownicy; aby uruchomić ją bez piaskownicy, ustaw QTWEBENGINE_DISABLE_SANDBOX=1.</translation>
    </message>
    <message>
        <source>A pop-up window from %s was refused: the page opened it without a click.</source>
        <comment>10706</comment>
        <translation>Odrzucono wyskakujące okno ze strony %s: strona otworzyła je bez kliknięcia.</translation>
    </message>
    <message>
        <source>No program on this computer opens the address %s.</source>
        <comment>10707</comment>
        <translation>Żaden program na tym komputerze nie otwiera adresu %s.</translation>
    </message>
    <message>
        <source>Opening %s in another program...</source>
        <comment>10708</comment>
        <translation>Otwieranie %s w innym programie...</translation>
    </message>
    <message>
        <source>%s asked to use %s; refused.</source>
        <comment>10709</comment>
        <translation>Strona %s prosiła o dostęp do %s; odmówiono.</translation>
    </message>
    <message>
        <source>the camera</source>
        <comment>10710</comment>
        <translation>kamery</translation>
    </message>
    <message>
        <source>the microphone</source>
        <comment>10711</comment>
        <translation>mikrofonu</translation>
    </message>
    <message>
        <source>the camera and the microphone</source>
        <comment>10712</comment>
        <translation>kamery i mikrofonu</translation>
    </message>
    <message>
        <source>your location</source>
        <comment>10713</comment>
        <translation>Twojej lokalizacji</translation>
    </message>
    <message>
        <source>notifications</source>
        <comment>10714</comment>
        <translation>powiadomień</translation>
    </message>
    <message>
        <source>the screen</source>
        <comment>10715</comment>
        <translation>ekranu</translation>
    </message>
    <message>
        <source>the screen and its sound</source>
        <comment>10716</comment>
        <translation>ekranu i jego dźwięku</translation>
    </message>
    <message>
        <source>the mouse pointer</source>
        <comment>10717</comment>
        <translation>wskaźnika myszy</translation>
    </message>
    <message>
        <source>The certificate of %s has expired (or is not valid yet).</source>
        <comment>10718</comment>
        <translation>Certyfikat witryny %s wygasł (lub nie jest jeszcze ważny).</translation>
    </message>
    <message>
        <source>The certificate of %s was issued by an authority this computer does not know (for example, it signed itself).</source>
        <comment>10719</comment>
        <translation>Certyfikat witryny %s wystawił urząd certyfikacji nieznany temu komputerowi (na przykład podpisała go sama witryna).</translation>
    </message>
    <message>
        <source>The certificate of %s was made for another host name.</source>
        <comment>10720</comment>
        <translation>Certyfikat witryny %s wystawiono dla innej nazwy hosta.</translation>
    </message>
    <message>
        <source>The certificate of %s is not valid: %s</source>
        <comment>10721</comment>
        <translation>Certyfikat witryny %s jest nieważny: %s</translation>
    </message>
    <message>
        <source>The connection to %s is not secure</source>
        <comment>10722</comment>
        <translation>Połączenie z %s nie jest bezpieczne</translation>
    </message>
    <message>
        <source>Nothing has been loaded from this site.</source>
        <comment>10723</comment>
        <translation>Z tej witryny nie wczytano niczego.</translation>
    </message>
    <message>
        <source>A part of the page from %s was not loaded: %s</source>
        <comment>10724</comment>
        <translation>Nie wczytano części strony z %s: %s</translation>
    </message>
    <message>
        <source>Press Escape to leave full screen.</source>
        <comment>10725</comment>
        <translation>Naciśnij Esc, aby opuścić tryb pełnoekranowy.</translation>
    </message>
    <message>
        <source>the disk holding %s is full</source>
        <comment>10726</comment>
        <translation>dysk, na którym leży %s, jest pełny</translation>
    </message>
    <message>
        <source>the file %s cannot be written</source>
        <comment>10727</comment>
        <translation>nie można zapisać pliku %s</translation>
    </message>
    <message>
        <source>the server dropped the connection</source>
        <comment>10728</comment>
        <translation>serwer zerwał połączenie</translation>
    </message>
    <message>
        <source>the network failed</source>
        <comment>10729</comment>
        <translation>błąd sieci</translation>
    </message>
    <message>
        <source>the server refused the file</source>
        <comment>10730</comment>
        <translation>serwer odmówił wydania pliku</translation>
    </message>
    <message>
        <source>Printed.</source>
        <comment>10731</comment>
        <translation>Wydrukowano.</translation>
    </message>
    <message>
        <source>The page could not be printed.</source>
        <comment>10732</comment>
        <translation>Nie udało się wydrukować strony.</translation>
    </message>
    <message>
        <source>Downloading %s: %s of %s (%d%%), %s/s</source>
        <comment>10740</comment>
        <translation>Pobieranie %s: %s z %s (%d%%), %s/s</translation>
    </message>
    <message>
        <source>Downloading %s: %s, %s/s</source>
        <comment>10741</comment>
        <translation>Pobieranie %s: %s, %s/s</translation>
    </message>
    <message>
        <source>The file %s has been saved.

Do you want to open it? No opens the folder that holds it.</source>
        <comment>10742</comment>
        <translation>Plik %s został zapisany.

Czy chcesz go otworzyć? Nie otwiera folder, w którym się znajduje.</translation>
    </message>
    <message>
        <source>The file %s already exists.

Do you want to replace it?</source>
        <comment>10743</comment>
        <translation>Plik %s już istnieje.

Czy chcesz go zastąpić?</translation>
    </message>
    <message>
        <source>The download of %s was cancelled.</source>
        <comment>10744</comment>
        <translation>Pobieranie %s zostało anulowane.</translation>
    </message>
    <message>
        <source>The download of %s failed: %s.</source>
        <comment>10745</comment>
        <translation>Pobieranie %s nie powiodło się: %s.</translation>
    </message>
    <message>
        <source>The file %s cannot be saved: the folder %s cannot be written to (%s).</source>
        <comment>10746</comment>
        <translation>Nie można zapisać pliku %s: w folderze %s nie można zapisywać (%s).</translation>
    </message>
    <message>
        <source>Saved %s</source>
        <comment>10747</comment>
        <translation>Zapisano %s</translation>
    </message>
    <message>
        <source>%d %%</source>
        <comment>10748</comment>
        <translation>%d %%</translation>
    </message>
    <message>
        <source>%d of %d</source>
        <comment>10749</comment>
        <translation>%d z %d</translation>
    </message>
    <message>
        <source>No matches</source>
        <comment>10750</comment>
        <translation>Brak wyników</translation>
    </message>
    <message>
        <source>The catalogue &apos;%s&apos; is damaged: it announces %d entries.</source>
        <comment>10820</comment>
        <translation>Katalog „%s” jest uszkodzony: zapowiada %d pozycji.</translation>
    </message>
    <message>
        <source>Table of contents</source>
        <comment>10821</comment>
        <translation>Spis treści</translation>
    </message>
    <message>
        <source>%s, line %d: %s</source>
        <comment>10823</comment>
        <translation>%s, wiersz %d: %s</translation>
    </message>
    <message>
        <source>the text of &apos;%s&apos; cannot be written in the Central European code page (Windows-1250)</source>
        <comment>10824</comment>
        <translation>tekstu klucza „%s” nie można zapisać w środkowoeuropejskiej stronie kodowej (Windows-1250)</translation>
    </message>
    <message>
        <source>the value of &apos;%s&apos; must be a text</source>
        <comment>10825</comment>
        <translation>wartość klucza „%s” musi być tekstem</translation>
    </message>
    <message>
        <source>the value of &apos;%s&apos; must be a whole number from -2147483648 to 2147483647</source>
        <comment>10826</comment>
        <translation>wartość klucza „%s” musi być liczbą całkowitą od -2147483648 do 2147483647</translation>
    </message>
    <message>
        <source>the value of &apos;%s&apos; must be true or false</source>
        <comment>10827</comment>
        <translation>wartość klucza „%s” musi być wartością true lub false</translation>
    </message>
    <message>
        <source>unknown key &apos;%s&apos;</source>
        <comment>10828</comment>
        <translation>nieznany klucz „%s”</translation>
    </message>
    <message>
        <source>the line is not a JSON object: %s</source>
        <comment>10829</comment>
        <translation>wiersz nie jest obiektem JSON: %s</translation>
    </message>
    <message>
        <source>Cannot read file %s</source>
        <comment>10830</comment>
        <translation>Nie można odczytać pliku %s</translation>
    </message>
    <message>
        <source>the text of &apos;%s&apos; is longer than 65535 characters</source>
        <comment>10831</comment>
        <translation>tekst klucza „%s” jest dłuższy niż 65535 znaków</translation>
    </message>
    <message>
        <source>the level %d is deeper than the table of contents can show (at most %d)</source>
        <comment>10832</comment>
        <translation>poziom %d jest głębszy, niż może pokazać spis treści (najwyżej %d)</translation>
    </message>
    <message>
        <source>https://tervik.example.com/reader</source>
        <comment>10840</comment>
        <translation>https://tervik.example.com/reader</translation>
    </message>
    <message>
        <source>The installer &apos;%s&apos; could not be started.</source>
        <comment>10841</comment>
        <translation>Nie udało się uruchomić instalatora „%s”.</translation>
    </message>
    <message>
        <source>Table of contents pane</source>
        <comment>10842</comment>
        <translation>Panel spisu treści</translation>
    </message>
    <message>
        <source>Document pane</source>
        <comment>10843</comment>
        <translation>Panel dokumentu</translation>
    </message>
    <message>
        <source>Table of contents buttons</source>
        <comment>10844</comment>
        <translation>Przyciski spisu treści</translation>
    </message>
    <message>
        <source>Document</source>
        <comment>10845</comment>
        <translation>Dokument</translation>
    </message>
    <message>
        <source>Document: click to work in it</source>
        <comment>10846</comment>
        <translation>Dokument: kliknij, aby w nim pracować</translation>
    </message>
    <message>
        <source>Current section: %s</source>
        <comment>10847</comment>
        <translation>Bieżący rozdział: %s</translation>
    </message>
    <message>
        <source>The file %s was not found.</source>
        <comment>10848</comment>
        <translation>Nie znaleziono pliku %s.</translation>
    </message>
    <message>
        <source>Cannot write file %s: %s</source>
        <comment>10850</comment>
        <translation>Nie można zapisać pliku %s: %s</translation>
    </message>
    <message>
        <source>Find in the manual</source>
        <comment>10870</comment>
        <translation>Szukaj w podręczniku</translation>
    </message>
    <message>
        <source>Finds words in every document of the manual (Ctrl+F). Words are found in any order; &quot;quotes&quot; find a phrase, a star after a word finds the words that begin with it. F3 and Shift+F3 open the next and previous result, Escape returns to the table of contents.</source>
        <comment>10871</comment>
        <translation>Znajduje słowa we wszystkich dokumentach podręcznika (Ctrl+F). Słowa są znajdowane w dowolnej kolejności; &quot;cudzysłów&quot; znajduje frazę, gwiazdka po słowie znajduje słowa, które się od niego zaczynają. F3 i Shift+F3 otwierają następny i poprzedni wynik, Esc wraca do spisu treści.</translation>
    </message>
    <message>
        <source>Results of the search in the manual</source>
        <comment>10872</comment>
        <translation>Wyniki wyszukiwania w podręczniku</translation>
    </message>
    <message>
        <source>Indexing the manual: %d of %s</source>
        <comment>10873</comment>
        <translation>Indeksowanie podręcznika: %d z %s</translation>
    </message>
    <message>
        <source>No results</source>
        <comment>10874</comment>
        <translation>Brak wyników</translation>
    </message>
    <message>
        <source>1 result</source>
        <comment>10875</comment>
        <translation>1 wynik</translation>
    </message>
    <message>
        <source>%d results</source>
        <comment>10876</comment>
        <translation>Wyniki: %d</translation>
    </message>
    <message>
        <source>%s in the %d of %s indexed so far</source>
        <comment>10877</comment>
        <translation>%s w %d z %s zaindeksowanych dotąd</translation>
    </message>
    <message>
        <source>The search has no words to find.</source>
        <comment>10878</comment>
        <translation>Wyszukiwanie nie zawiera słów do znalezienia.</translation>
    </message>
    <message>
        <source>The manual cannot be searched: %s</source>
        <comment>10879</comment>
        <translation>Nie można przeszukać podręcznika: %s</translation>
    </message>
    <message>
        <source>page %d</source>
        <comment>10880</comment>
        <translation>strona %d</translation>
    </message>
    <message>
        <source>%s, page %d: %s</source>
        <comment>10881</comment>
        <translation>%s, strona %d: %s</translation>
    </message>
    <message>
        <source>The index of the manual cannot be created in %s: %s</source>
        <comment>10882</comment>
        <translation>Nie można utworzyć indeksu podręcznika w %s: %s</translation>
    </message>
    <message>
        <source>Qt&apos;s SQLite driver is not installed (package libqt6sql6-sqlite).</source>
        <comment>10883</comment>
        <translation>Sterownik SQLite dla Qt nie jest zainstalowany (pakiet libqt6sql6-sqlite).</translation>
    </message>
    <message>
        <source>The index %s was damaged or not an index of the manual; it was kept as %s and is built again.</source>
        <comment>10884</comment>
        <translation>Indeks %s był uszkodzony lub nie był indeksem podręcznika; zachowano go jako %s i jest budowany od nowa.</translation>
    </message>
    <message>
        <source>%s: indexed, %s</source>
        <comment>10885</comment>
        <translation>%s: zaindeksowano, %s</translation>
    </message>
    <message>
        <source>%s: unchanged, %s</source>
        <comment>10886</comment>
        <translation>%s: bez zmian, %s</translation>
    </message>
    <message>
        <source>%s: cannot be read: %s</source>
        <comment>10887</comment>
        <translation>%s: nie można odczytać: %s</translation>
    </message>
    <message>
        <source>%s: missing</source>
        <comment>10888</comment>
        <translation>%s: brak pliku</translation>
    </message>
    <message>
        <source>%s: no longer in the catalogue, removed from the index</source>
        <comment>10889</comment>
        <translation>%s: nie ma go już w katalogu, usunięto z indeksu</translation>
    </message>
    <message>
        <source>Index %s: %s, %s (%d indexed, %d unchanged)</source>
        <comment>10890</comment>
        <translation>Indeks %s: %s, %s (zaindeksowane: %d, bez zmian: %d)</translation>
    </message>
    <message>
        <source>Indexing interrupted: the documents indexed so far are kept.</source>
        <comment>10891</comment>
        <translation>Przerwano indeksowanie: dokumenty zaindeksowane dotąd zostają zachowane.</translation>
    </message>
    <message>
        <source>The index of the manual cannot be read: %s</source>
        <comment>10892</comment>
        <translation>Nie można odczytać indeksu podręcznika: %s</translation>
    </message>
    <message>
        <source>The best %d results</source>
        <comment>10893</comment>
        <translation>Najlepsze wyniki (%d)</translation>
    </message>
    <message>
        <source>The PDF reader component %s could not be loaded, so the documents cannot be read.</source>
        <comment>10894</comment>
        <translation>Nie udało się wczytać komponentu przeglądarki PDF %s, więc nie można czytać dokumentów.</translation>
    </message>
    <message>
        <source>1 page</source>
        <comment>10895</comment>
        <translation>1 strona</translation>
    </message>
    <message>
        <source>%d pages</source>
        <comment>10898</comment>
        <translation>Strony: %d</translation>
    </message>
    <message>
        <source>1 document</source>
        <comment>10899</comment>
        <translation>1 dokument</translation>
    </message>
    <message>
        <source>%d documents</source>
        <comment>10900</comment>
        <translation>Dokumenty: %d</translation>
    </message>
    <message>
        <source>1 document could not be searched</source>
        <comment>10901</comment>
        <translation>Nie udało się przeszukać 1 dokumentu</translation>
    </message>
    <message>
        <source>%d documents could not be searched</source>
        <comment>10902</comment>
        <translation>Nie udało się przeszukać dokumentów: %d</translation>
    </message>
    <message>
        <source>%s; %s</source>
        <comment>10903</comment>
        <translation>%s; %s</translation>
    </message>
    <message>
        <source>Show which</source>
        <comment>10904</comment>
        <translation>Pokaż które</translation>
    </message>
    <message>
        <source>Hide the list</source>
        <comment>10905</comment>
        <translation>Ukryj listę</translation>
    </message>
    <message>
        <source>Documents that could not be searched</source>
        <comment>10906</comment>
        <translation>Dokumenty, których nie udało się przeszukać</translation>
    </message>
    <message>
        <source>The PDF reader component is missing, so the documents cannot be read. It was looked for in: %s. Install it with the disc&apos;s reader installer, or name its folder in TAVO_PLUGIN_PATH.</source>
        <comment>10907</comment>
        <translation>Brak komponentu przeglądarki PDF, więc nie można czytać dokumentów. Szukano go w: %s. Zainstaluj go instalatorem przeglądarki z płyty albo podaj jego folder w TAVO_PLUGIN_PATH.</translation>
    </message>
    <message>
        <source>Up and down</source>
        <comment>11460</comment>
        <translation>W górę i w dół</translation>
    </message>
    <message>
        <source>Choose</source>
        <comment>11461</comment>
        <translation>Wybierz</translation>
    </message>
    <message>
        <source>Unknown error %D in the object TObjectStream.</source>
        <comment>20014</comment>
        <translation>Nieznany błąd %D w obiekcie TObjectStream.</translation>
    </message>
    <message>
        <source>Attempt to register %s with registration code 0</source>
        <comment>20015</comment>
        <translation>Próba zarejestrowania %s z kodem rejestracji 0</translation>
    </message>
    <message>
        <source>Attempt to register a NIL class with registration code %D</source>
        <comment>20016</comment>
        <translation>Próba zarejestrowania klasy NIL z kodem rejestracji %D</translation>
    </message>
    <message>
        <source>Attempt to register non streamable class %s with registration code %D</source>
        <comment>20017</comment>
        <translation>Próba zarejestrowania klasy %s, której nie można zapisywać w strumieniu, z kodem rejestracji %D</translation>
    </message>
    <message>
        <source>Attempt to register %s and %s under the same registration code %D</source>
        <comment>20018</comment>
        <translation>Próba zarejestrowania %s i %s pod tym samym kodem rejestracji %D</translation>
    </message>
    <message>
        <source>Attempt to read from stream, but no registered classes</source>
        <comment>20019</comment>
        <translation>Próba odczytu ze strumienia bez zarejestrowanych klas</translation>
    </message>
    <message>
        <source>Attempt to read unregistered class %D from stream</source>
        <comment>20020</comment>
        <translation>Próba odczytu niezarejestrowanej klasy %D ze strumienia</translation>
    </message>
    <message>
        <source>Attempt to read invalid class %s from stream</source>
        <comment>20021</comment>
        <translation>Próba odczytu nieprawidłowej klasy %s ze strumienia</translation>
    </message>
    <message>
        <source>Attempt to write to stream, but no registered classes</source>
        <comment>20022</comment>
        <translation>Próba zapisu do strumienia bez zarejestrowanych klas</translation>
    </message>
    <message>
        <source>Attempt to write unregistered class %s to stream</source>
        <comment>20023</comment>
        <translation>Próba zapisu niezarejestrowanej klasy %s do strumienia</translation>
    </message>
    <message>
        <source>Attempt to write invalid class %s to stream</source>
        <comment>20024</comment>
        <translation>Próba zapisu nieprawidłowej klasy %s do strumienia</translation>
    </message>
    <message>
        <source>%s returned an invalid registration code in WriteParentCode</source>
        <comment>20025</comment>
        <translation>%s zwróciła nieprawidłowy kod rejestracji w WriteParentCode</translation>
    </message>
    <message>
        <source>Got %s but expected %s</source>
        <comment>20026</comment>
        <translation>Otrzymano %s, oczekiwano %s</translation>
    </message>
    <message>
        <source>Unknown error %D in the object TCollection.</source>
        <comment>20027</comment>
        <translation>Nieznany błąd %D w obiekcie TCollection.</translation>
    </message>
    <message>
        <source>Attempt to insert NIL pointer to %s</source>
        <comment>20028</comment>
        <translation>Próba wstawienia wskaźnika NIL do %s</translation>
    </message>
    <message>
        <source>Stack overflow.</source>
        <comment>20029</comment>
        <translation>Przepełnienie stosu.</translation>
    </message>
    <message>
        <source>Stack</source>
        <comment>20030</comment>
        <translation>Stos</translation>
    </message>
    <message>
        <source>Cannot write a text of %d characters to the file &apos;%s&apos;: a text may hold at most 65535 characters.</source>
        <comment>20031</comment>
        <translation>Nie można zapisać tekstu o długości %d znaków do pliku „%s”: tekst może mieć najwyżej 65535 znaków.</translation>
    </message>
    <message>
        <source>The incorrect file version &apos;%s&apos;</source>
        <comment>20032</comment>
        <translation>Nieprawidłowa wersja pliku „%s”</translation>
    </message>
    <message>
        <source>The file &apos;%s&apos; ends before all of its objects have been read.</source>
        <comment>20033</comment>
        <translation>Plik „%s” kończy się, zanim zostały odczytane wszystkie jego obiekty.</translation>
    </message>
    <message>
        <source>The objects in the file &apos;%s&apos; are nested more than %d levels deep.</source>
        <comment>20034</comment>
        <translation>Obiekty w pliku „%s” są zagnieżdżone głębiej niż na %d poziomach.</translation>
    </message>
    <message>
        <source>The symbol in the field has not been entered.</source>
        <comment>20035</comment>
        <translation>Nie wpisano symbolu w polu.</translation>
    </message>
    <message>
        <source>The entered value &apos;%S&apos; is not a number.</source>
        <comment>20036</comment>
        <translation>Wpisana wartość „%S” nie jest liczbą.</translation>
    </message>
    <message>
        <source>The entered text &apos;%S&apos; is not a logical value.</source>
        <comment>20037</comment>
        <translation>Wpisany tekst „%S” nie jest wartością logiczną.</translation>
    </message>
    <message>
        <source>The entered value &apos;%S&apos; is not a whole number.</source>
        <comment>20038</comment>
        <translation>Wpisana wartość „%S” nie jest liczbą całkowitą.</translation>
    </message>
    <message>
        <source>No numeric value entered in the field.</source>
        <comment>20039</comment>
        <translation>Nie wpisano w polu wartości liczbowej.</translation>
    </message>
    <message>
        <source>No logical value entered in the field.</source>
        <comment>20040</comment>
        <translation>Nie wpisano w polu wartości logicznej.</translation>
    </message>
    <message>
        <source>The field should not stay empty.</source>
        <comment>20041</comment>
        <translation>Pole nie może pozostać puste.</translation>
    </message>
    <message>
        <source>Entered text &apos;%S&apos; does not occur in the list of the texts linked with the field. </source>
        <comment>20042</comment>
        <translation>Wpisany tekst „%S” nie występuje na liście tekstów powiązanych z polem. </translation>
    </message>
    <message>
        <source>The entered text &apos;%S&apos; is not a correct date.</source>
        <comment>20043</comment>
        <translation>Wpisany tekst „%S” nie jest poprawną datą.</translation>
    </message>
    <message>
        <source>The entered text &apos;%S&apos; is not a correct time.</source>
        <comment>20044</comment>
        <translation>Wpisany tekst „%S” nie jest poprawną godziną.</translation>
    </message>
    <message>
        <source>The entered text is longer than the field permits.</source>
        <comment>20045</comment>
        <translation>Wpisany tekst jest dłuższy, niż pozwala pole.</translation>
    </message>
    <message>
        <source>No item of the list has been selected.</source>
        <comment>20046</comment>
        <translation>Nie wybrano żadnej pozycji listy.</translation>
    </message>
    <message>
        <source>Unknown error number:</source>
        <comment>20047</comment>
        <translation>Nieznany numer błędu:</translation>
    </message>
    <message>
        <source>The number of left-side brackets &apos;(&apos; is larger than the right-side ones &apos;)&apos;.</source>
        <comment>20063</comment>
        <translation>Nawiasów otwierających „(” jest więcej niż zamykających „)”.</translation>
    </message>
    <message>
        <source>The number of left-side brackets &apos;(&apos; is lower than the right-side ones &apos;)&apos;</source>
        <comment>20064</comment>
        <translation>Nawiasów otwierających „(” jest mniej niż zamykających „)”</translation>
    </message>
    <message>
        <source>The entered value &apos;%S&apos; is not numeric or does not fit in the permissible range.</source>
        <comment>20065</comment>
        <translation>Wpisana wartość „%S” nie jest liczbą lub nie mieści się w dopuszczalnym zakresie.</translation>
    </message>
    <message>
        <source>The incorrect combination of operators or characters &apos;%S&apos;. Use the brackets to divide the operators e.g. 20--20 replace with 20-(-20)</source>
        <comment>20066</comment>
        <translation>Nieprawidłowe połączenie operatorów lub znaków „%S”. Oddziel operatory nawiasami, np. 20--20 zastąp przez 20-(-20)</translation>
    </message>
    <message>
        <source>The argument missing.</source>
        <comment>20067</comment>
        <translation>Brak argumentu.</translation>
    </message>
    <message>
        <source>The incorrect operator &apos;%S&apos;.</source>
        <comment>20068</comment>
        <translation>Nieprawidłowy operator „%S”.</translation>
    </message>
    <message>
        <source>Division by zero.</source>
        <comment>20069</comment>
        <translation>Dzielenie przez zero.</translation>
    </message>
    <message>
        <source>The negative number %G cannot be risen to a power.</source>
        <comment>20070</comment>
        <translation>Liczby ujemnej %G nie można podnieść do potęgi.</translation>
    </message>
    <message>
        <source>The expression is too long.</source>
        <comment>20071</comment>
        <translation>Wyrażenie jest zbyt długie.</translation>
    </message>
    <message>
        <source>The unknown function &apos;%S&apos; in the expression.</source>
        <comment>20072</comment>
        <translation>Nieznana funkcja „%S” w wyrażeniu.</translation>
    </message>
    <message>
        <source>The expression cannot be evaluated.</source>
        <comment>20073</comment>
        <translation>Nie można obliczyć wartości wyrażenia.</translation>
    </message>
    <message>
        <source>The non-existing variable symbol &apos;%S&apos; hs been entered in the expression.</source>
        <comment>20074</comment>
        <translation>W wyrażeniu wpisano symbol nieistniejącej zmiennej „%S”.</translation>
    </message>
    <message>
        <source>The variable with the symbol &apos;%S&apos; in the expression does not have any assigned value.</source>
        <comment>20075</comment>
        <translation>Zmienna o symbolu „%S” w wyrażeniu nie ma przypisanej wartości.</translation>
    </message>
    <message>
        <source>Invalid class typecast</source>
        <comment>65380</comment>
        <translation>Nieprawidłowe rzutowanie klasy</translation>
    </message>
    <message>
        <source>No such interface supported</source>
        <comment>65390</comment>
        <translation>Ten interfejs nie jest obsługiwany</translation>
    </message>
    <message>
        <source>Unspecified error</source>
        <comment>65391</comment>
        <translation>Nieokreślony błąd</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <comment>65392</comment>
        <translation>Niezgodność typów</translation>
    </message>
    <message>
        <source>Member not found</source>
        <comment>65393</comment>
        <translation>Nie znaleziono składowej</translation>
    </message>
    <message>
        <source>Invalid number of parameters</source>
        <comment>65394</comment>
        <translation>Nieprawidłowa liczba parametrów</translation>
    </message>
    <message>
        <source>Cannot open file %s</source>
        <comment>65400</comment>
        <translation>Nie można otworzyć pliku %s</translation>
    </message>
    <message>
        <source>Cannot create file %s</source>
        <comment>65401</comment>
        <translation>Nie można utworzyć pliku %s</translation>
    </message>
    <message>
        <source>List index out of bounds (%d)</source>
        <comment>65402</comment>
        <translation>Indeks listy poza zakresem (%d)</translation>
    </message>
    <message>
        <source>List capacity out of bounds (%d)</source>
        <comment>65403</comment>
        <translation>Pojemność listy poza zakresem (%d)</translation>
    </message>
    <message>
        <source>List count out of bounds (%d)</source>
        <comment>65404</comment>
        <translation>Liczba elementów listy poza zakresem (%d)</translation>
    </message>
    <message>
        <source>Abstract Error</source>
        <comment>65405</comment>
        <translation>Błąd abstrakcyjny</translation>
    </message>
    <message>
        <source>Invalid data type for &apos;%s&apos;</source>
        <comment>65406</comment>
        <translation>Nieprawidłowy typ danych dla „%s”</translation>
    </message>
    <message>
        <source>Format &apos;%s&apos; invalid or incompatible with argument</source>
        <comment>65407</comment>
        <translation>Format „%s” jest nieprawidłowy lub niezgodny z argumentem</translation>
    </message>
    <message>
        <source>No argument for format &apos;%s&apos;</source>
        <comment>65408</comment>
        <translation>Brak argumentu dla formatu „%s”</translation>
    </message>
    <message>
        <source>Stream read error</source>
        <comment>65409</comment>
        <translation>Błąd odczytu strumienia</translation>
    </message>
    <message>
        <source>Stream write error</source>
        <comment>65410</comment>
        <translation>Błąd zapisu strumienia</translation>
    </message>
    <message>
        <source>&apos;%s&apos; is not a valid integer value</source>
        <comment>65411</comment>
        <translation>„%s” nie jest prawidłową liczbą całkowitą</translation>
    </message>
    <message>
        <source>Cannot enter the folder %s: %s</source>
        <comment>65412</comment>
        <translation>Nie można wejść do folderu %s: %s</translation>
    </message>
    <message>
        <source>Failed to create key %s</source>
        <comment>65413</comment>
        <translation>Nie udało się utworzyć klucza %s</translation>
    </message>
    <message>
        <source>Failed to set data for &apos;%s&apos;</source>
        <comment>65414</comment>
        <translation>Nie udało się zapisać danych dla „%s”</translation>
    </message>
    <message>
        <source>Class not registered</source>
        <comment>65415</comment>
        <translation>Klasa nie jest zarejestrowana</translation>
    </message>
    <message>
        <source>Invalid stream format</source>
        <comment>65420</comment>
        <translation>Nieprawidłowy format strumienia</translation>
    </message>
    <message>
        <source>Invalid property value</source>
        <comment>65421</comment>
        <translation>Nieprawidłowa wartość właściwości</translation>
    </message>
    <message>
        <source>Property %s does not exist</source>
        <comment>65422</comment>
        <translation>Właściwość %s nie istnieje</translation>
    </message>
    <message>
        <source>Error reading %s.%s: %s</source>
        <comment>65423</comment>
        <translation>Błąd odczytu %s.%s: %s</translation>
    </message>
    <message>
        <source>Component %s not found</source>
        <comment>65424</comment>
        <translation>Nie znaleziono komponentu %s</translation>
    </message>
    <message>
        <source>%s on line %d</source>
        <comment>65425</comment>
        <translation>%s w wierszu %d</translation>
    </message>
    <message>
        <source>Identifier expected</source>
        <comment>65426</comment>
        <translation>Oczekiwano identyfikatora</translation>
    </message>
    <message>
        <source>String expected</source>
        <comment>65427</comment>
        <translation>Oczekiwano tekstu</translation>
    </message>
    <message>
        <source>Number expected</source>
        <comment>65428</comment>
        <translation>Oczekiwano liczby</translation>
    </message>
    <message>
        <source>&apos;%s&apos; expected</source>
        <comment>65429</comment>
        <translation>Oczekiwano „%s”</translation>
    </message>
    <message>
        <source>Invalid binary value</source>
        <comment>65430</comment>
        <translation>Nieprawidłowa wartość binarna</translation>
    </message>
    <message>
        <source>Invalid string constant</source>
        <comment>65431</comment>
        <translation>Nieprawidłowa stała tekstowa</translation>
    </message>
    <message>
        <source>Bitmap image is not valid</source>
        <comment>65432</comment>
        <translation>Nieprawidłowy obraz bitmapy</translation>
    </message>
    <message>
        <source>Values nested too deeply</source>
        <comment>65433</comment>
        <translation>Wartości zagnieżdżone zbyt głęboko</translation>
    </message>
    <message>
        <source>Component %s is not a %s</source>
        <comment>65434</comment>
        <translation>Komponent %s nie jest typu %s</translation>
    </message>
    <message>
        <source>Cannot assign a %s to a %s</source>
        <comment>65435</comment>
        <translation>Nie można przypisać %s do %s</translation>
    </message>
    <message>
        <source>Invalid image size</source>
        <comment>65436</comment>
        <translation>Nieprawidłowy rozmiar obrazu</translation>
    </message>
    <message>
        <source>Invalid number &apos;%s&apos;</source>
        <comment>65437</comment>
        <translation>Nieprawidłowa liczba „%s”</translation>
    </message>
    <message>
        <source>Usage:
  tavo-catalogue dump FILE           the header and every record as JSON lines
  tavo-catalogue tree FILE           the table of contents, one node a line
  tavo-catalogue build SOURCE OUT    a catalogue from JSON lines
  tavo-catalogue index FILE          builds or refreshes the search index of the manual
  tavo-catalogue search FILE QUERY   finds QUERY in the manual: JSON lines with entry,
                                     caption, file, page and snippet (words in « »)
  tavo-catalogue import [--depth N] [--type-of-level LEVEL=TYPE]... [--replace] DOC.pdf...
                                     catalogue source (JSON lines, for build) from the
                                     documents&apos; outlines: a top entry per document, its
                                     outline&apos;s items below it (--depth N: N levels of them);
                                     types by level (default 0=23, 1=1 and deeper as 1;
                                     &apos;none&apos; for no type); a caption Windows-1250 cannot hold
                                     stops the import unless --replace writes it with &apos;?&apos;
  tavo-catalogue check [--json] DISC-FOLDER
                                     what a user of the disc would trip over; exit 0 when
                                     clean, 1 with problems (--json: one JSON line each)
  tavo-catalogue image [--force] DISC-FOLDER OUT.iso
                                     the disc&apos;s ISO 9660 image; the shell, its components
                                     and their runtime are added when the folder lacks them;
                                     a folder check finds broken is refused without --force
  tavo-catalogue --help | --version</source>
        <comment>10822</comment>
        <translation>Użycie:
  tavo-catalogue dump PLIK           nagłówek i każdy rekord jako wiersze JSON
  tavo-catalogue tree PLIK           spis treści, jeden węzeł w wierszu
  tavo-catalogue build ŹRÓDŁO WYNIK  katalog z wierszy JSON
  tavo-catalogue index PLIK          tworzy lub odświeża indeks wyszukiwania w podręczniku
  tavo-catalogue search PLIK ZAPYTANIE  szuka ZAPYTANIA w podręczniku: wiersze JSON z pozycją,
                                     tytułem, plikiem, stroną i fragmentem (słowa w « »)
  tavo-catalogue import [--depth N] [--type-of-level POZIOM=TYP]... [--replace] DOKUMENT.pdf...
                                     źródło katalogu (wiersze JSON dla build) ze spisów treści
                                     dokumentów: pozycja główna każdego dokumentu, pod nią
                                     pozycje jego spisu (--depth N: N poziomów); typy według
                                     poziomu (domyślnie 0=23, 1=1, głębsze jak 1; &apos;none&apos;: bez
                                     typu); tytuł, którego nie da się zapisać w Windows-1250,
                                     przerywa import, chyba że --replace zapisze go ze znakami &apos;?&apos;
  tavo-catalogue check [--json] FOLDER-PŁYTY
                                     to, o co potknąłby się użytkownik płyty; kod wyjścia 0,
                                     gdy nie ma problemów, 1, gdy są (--json: wiersz JSON na każdy)
  tavo-catalogue image [--force] FOLDER-PŁYTY WYNIK.iso
                                     obraz ISO 9660 płyty; powłoka, jej komponenty i ich
                                     biblioteki są dodawane, gdy brak ich w folderze; folder,
                                     w którym check znajduje problemy, jest odrzucany bez --force
  tavo-catalogue --help | --version</translation>
    </message>
    <message>
        <source>line %d: the caption &quot;%s&quot; cannot be written in the Central European code page (Windows-1250)</source>
        <comment>10851</comment>
        <translation>wiersz %d: tytułu &quot;%s&quot; nie można zapisać w środkowoeuropejskiej stronie kodowej (Windows-1250)</translation>
    </message>
    <message>
        <source>line %d: the caption &quot;%s&quot; is written as &quot;%s&quot;</source>
        <comment>10852</comment>
        <translation>wiersz %d: tytuł &quot;%s&quot; zapisano jako &quot;%s&quot;</translation>
    </message>
    <message>
        <source>line %d: the destination &quot;%s&quot; cannot be written in Windows-1250; the entry opens page %d</source>
        <comment>10853</comment>
        <translation>wiersz %d: nazwy miejsca docelowego &quot;%s&quot; nie można zapisać w Windows-1250; pozycja otwiera stronę %d</translation>
    </message>
    <message>
        <source>%s cannot be read: %s</source>
        <comment>10854</comment>
        <translation>Nie można odczytać %s: %s</translation>
    </message>
    <message>
        <source>Nothing was written: captions that Windows-1250 cannot hold were found (--replace writes them with replacements).</source>
        <comment>10855</comment>
        <translation>Nic nie zapisano: znaleziono tytuły, których nie da się zapisać w Windows-1250 (--replace zapisuje je ze znakami zastępczymi).</translation>
    </message>
    <message>
        <source>The PDF reader component %s cannot read the outlines of documents; install the one that came with this tool.</source>
        <comment>10856</comment>
        <translation>Komponent czytnika PDF %s nie potrafi odczytać spisów treści dokumentów; zainstaluj ten, który dostarczono z tym narzędziem.</translation>
    </message>
    <message>
        <source>%s needs a value</source>
        <comment>10857</comment>
        <translation>%s wymaga wartości</translation>
    </message>
    <message>
        <source>%s %s: expected LEVEL=TYPE with a level from 0 to %d and a type id of the document type table (or &apos;none&apos;)</source>
        <comment>10858</comment>
        <translation>%s %s: oczekiwano POZIOM=TYP z poziomem od 0 do %d i identyfikatorem typu z tabeli typów dokumentów (albo &apos;none&apos;)</translation>
    </message>
    <message>
        <source>%s %s: expected a whole number from 0 to %d</source>
        <comment>10859</comment>
        <translation>%s %s: oczekiwano liczby całkowitej od 0 do %d</translation>
    </message>
    <message>
        <source>the catalogue %s cannot be read: %s</source>
        <comment>10860</comment>
        <translation>nie można odczytać katalogu %s: %s</translation>
    </message>
    <message>
        <source>entry %d (%s): its document %s is not on the disc</source>
        <comment>10861</comment>
        <translation>pozycja %d (%s): jej dokumentu %s nie ma na płycie</translation>
    </message>
    <message>
        <source>entry %d (%s): page %d is not in %s, which has %d pages</source>
        <comment>10862</comment>
        <translation>pozycja %d (%s): strony %d nie ma w dokumencie %s (liczba stron: %d)</translation>
    </message>
    <message>
        <source>entry %d (%s): %s holds no destination &quot;%s&quot;</source>
        <comment>10863</comment>
        <translation>pozycja %d (%s): %s nie zawiera miejsca docelowego &quot;%s&quot;</translation>
    </message>
    <message>
        <source>%s is in the documentation folder, but no entry names it</source>
        <comment>10864</comment>
        <translation>%s leży w folderze dokumentacji, ale nie wskazuje go żadna pozycja</translation>
    </message>
    <message>
        <source>%s is missing</source>
        <comment>10865</comment>
        <translation>brak %s</translation>
    </message>
    <message>
        <source>%s is not executable</source>
        <comment>10866</comment>
        <translation>%s nie jest plikiem wykonywalnym</translation>
    </message>
    <message>
        <source>%s: %s</source>
        <comment>10867</comment>
        <translation>%s: %s</translation>
    </message>
    <message>
        <source>The disc is ready: %d entries, %d documents, no problems.</source>
        <comment>10868</comment>
        <translation>Płyta jest gotowa: pozycje: %d, dokumenty: %d, bez problemów.</translation>
    </message>
    <message>
        <source>1 problem found.</source>
        <comment>10869</comment>
        <translation>Znaleziono 1 problem.</translation>
    </message>
    <message>
        <source>%d problems found.</source>
        <comment>10960</comment>
        <translation>Liczba znalezionych problemów: %d.</translation>
    </message>
    <message>
        <source>The disc folder has problems (above); --force makes its image all the same.</source>
        <comment>10961</comment>
        <translation>Folder płyty ma problemy (wymienione wyżej); z --force obraz powstanie mimo to.</translation>
    </message>
    <message>
        <source>%s is not a disc folder</source>
        <comment>10962</comment>
        <translation>%s nie jest folderem płyty</translation>
    </message>
    <message>
        <source>The image cannot be made: %s</source>
        <comment>10963</comment>
        <translation>Nie można utworzyć obrazu: %s</translation>
    </message>
    <message>
        <source>%s: %s added from %s</source>
        <comment>10964</comment>
        <translation>%s: dodano %s z %s</translation>
    </message>
    <message>
        <source>The image %s is written (%d MB).</source>
        <comment>10965</comment>
        <translation>Zapisano obraz %s (%d MB).</translation>
    </message>
    <message>
        <source>%s and %s have the same file name, and the documentation folder holds one file of a name</source>
        <comment>10966</comment>
        <translation>%s i %s mają tę samą nazwę pliku, a folder dokumentacji może zawierać tylko jeden plik o danej nazwie</translation>
    </message>
</context>
<context>
    <name>tavo::browser::TBrowserDownloads</name>
    <message>
        <source>The folder does not exist</source>
        <translation>Folder nie istnieje</translation>
    </message>
    <message>
        <source>Cancel download</source>
        <translation>Anuluj pobieranie</translation>
    </message>
</context>
<context>
    <name>tavo::browser::TBrowserPageTools</name>
    <message>
        <source>Find in page</source>
        <translation>Znajdź na stronie</translation>
    </message>
    <message>
        <source>Next match</source>
        <translation>Następne wystąpienie</translation>
    </message>
    <message>
        <source>Previous match</source>
        <translation>Poprzednie wystąpienie</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Powiększ</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Pomniejsz</translation>
    </message>
    <message>
        <source>Actual size</source>
        <translation>Rzeczywisty rozmiar</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drukuj</translation>
    </message>
    <message>
        <source>Zoom; click for actual size</source>
        <translation>Powiększenie; kliknij, aby przywrócić rzeczywisty rozmiar</translation>
    </message>
    <message>
        <source>&amp;Find:</source>
        <translation>&amp;Znajdź:</translation>
    </message>
    <message>
        <source>Close the find bar</source>
        <translation>Zamknij pasek wyszukiwania</translation>
    </message>
</context>
<context>
    <name>tavo::browser::TBrowserTab</name>
    <message>
        <source>Status</source>
        <translation>Stan</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Wstecz</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Dalej</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Zatrzymaj</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Odśwież</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Strona startowa</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Szukaj</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adres</translation>
    </message>
    <message>
        <source>Web Pages:</source>
        <translation>Strony WWW:</translation>
    </message>
    <message>
        <source>Web page of the Tavo company</source>
        <translation>Strona internetowa firmy Tavo</translation>
    </message>
    <message>
        <source>Web page of the program Tavo C.H.</source>
        <translation>Strona internetowa programu Tavo C.H.</translation>
    </message>
</context>
<context>
    <name>tavo::docviewer::CountText</name>
    <message numerus="yes">
        <source>%n result(s)</source>
        <translation>
            <numerusform>%n wynik</numerusform>
            <numerusform>%n wyniki</numerusform>
            <numerusform>%n wyników</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n page(s)</source>
        <translation>
            <numerusform>%n strona</numerusform>
            <numerusform>%n strony</numerusform>
            <numerusform>%n stron</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n document(s)</source>
        <translation>
            <numerusform>%n dokument</numerusform>
            <numerusform>%n dokumenty</numerusform>
            <numerusform>%n dokumentów</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n document(s) could not be searched</source>
        <translation>
            <numerusform>%n dokument nie mógł zostać przeszukany</numerusform>
            <numerusform>%n dokumenty nie mogły zostać przeszukane</numerusform>
            <numerusform>%n dokumentów nie mogło zostać przeszukanych</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>tavo::docviewer::TF_AdobeRader6Warrning</name>
    <message>
        <source>Warning</source>
        <translation>Ostrzeżenie</translation>
    </message>
    <message>
        <source>This program does not work with the browser Adobe Reader 6.00 and may be hung up (it is caused by the bug in this browser version). </source>
        <translation>Ten program nie współpracuje z przeglądarką Adobe Reader 6.00 i może się zawiesić (powodem jest błąd w tej wersji przeglądarki).  </translation>
    </message>
    <message>
        <source>If you have this browser version installed, close this program and uninstall Adobe Reader 6.00.</source>
        <translation>Jeśli masz zainstalowaną tę wersję przeglądarki, zamknij ten program i odinstaluj Adobe Reader 6.00.</translation>
    </message>
    <message>
        <source>Install instead Adobe Reader browser version 4, 5, 6.01 or newer. You will find the appropriate browser on the CD with this program (folder &quot;setup/acrobat&quot;) or you may download it from </source>
        <translation>Zainstaluj zamiast niej przeglądarkę Adobe Reader w wersji 4, 5, 6.01 lub nowszej. Odpowiednią przeglądarkę znajdziesz na płycie CD z tym programem (folder „setup/acrobat”) lub możesz ją pobrać ze strony  </translation>
    </message>
    <message>
        <source>Do not show this message again.  </source>
        <translation>Nie pokazuj więcej tego komunikatu.  </translation>
    </message>
    <message>
        <source>Download the browser.</source>
        <translation>Pobierz przeglądarkę.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>tavo::docviewer::TF_DocPDFViewer</name>
    <message>
        <source>Documentation</source>
        <translation>Dokumentacja</translation>
    </message>
    <message>
        <source>Table of contents on top</source>
        <translation>Spis treści u góry</translation>
    </message>
    <message>
        <source>Table of contents on the left</source>
        <translation>Spis treści po lewej</translation>
    </message>
    <message>
        <source>Expand</source>
        <translation>Rozwiń</translation>
    </message>
    <message>
        <source>Auto expand whole table of contents</source>
        <translation>Rozwijaj automatycznie cały spis treści</translation>
    </message>
    <message>
        <source>Opening Adobe Acrobat Reader - Please wait</source>
        <translation>Otwieranie Adobe Acrobat Reader - proszę czekać</translation>
    </message>
    <message>
        <source>No documentation</source>
        <translation>Brak dokumentacji</translation>
    </message>
    <message>
        <source>Acrobat Reader setup</source>
        <translation>Instalacja Acrobat Reader</translation>
    </message>
    <message>
        <source>Acrobat Reader program for viewing the documentation has not been installed on this computer</source>
        <translation>Program Acrobat Reader do przeglądania dokumentacji nie jest zainstalowany na tym komputerze</translation>
    </message>
    <message>
        <source>The Acrobat Reader installation files are placed on CD in folder &apos;\setup\acrobat\&apos;.</source>
        <translation>Pliki instalacyjne programu Acrobat Reader znajdują się na płycie CD w folderze „\setup\acrobat\”.</translation>
    </message>
    <message>
        <source>Install Acrobat Reader</source>
        <translation>Zainstaluj Acrobat Reader</translation>
    </message>
</context>
<context>
    <name>tavo::pdfreader::texts</name>
    <message>
        <source>This document could not be opened: %1</source>
        <translation>Nie udało się otworzyć tego dokumentu: %1</translation>
    </message>
    <message>
        <source>the file was not found.</source>
        <translation>nie znaleziono pliku.</translation>
    </message>
    <message>
        <source>the file cannot be read.</source>
        <translation>nie można odczytać pliku.</translation>
    </message>
    <message>
        <source>the file is empty.</source>
        <translation>plik jest pusty.</translation>
    </message>
    <message>
        <source>the file is damaged or is not a PDF document.</source>
        <translation>plik jest uszkodzony lub nie jest dokumentem PDF.</translation>
    </message>
    <message>
        <source>it is protected by a password.</source>
        <translation>jest chroniony hasłem.</translation>
    </message>
    <message>
        <source>it has no pages; the file may be damaged or incomplete.</source>
        <translation>nie ma stron; plik może być uszkodzony lub niekompletny.</translation>
    </message>
    <message>
        <source>This page could not be shown.</source>
        <translation>Nie udało się pokazać tej strony.</translation>
    </message>
    <message>
        <source>Document</source>
        <translation>Dokument</translation>
    </message>
    <message>
        <source>Page number</source>
        <translation>Numer strony</translation>
    </message>
    <message>
        <source>/ %1</source>
        <translation>/ %1</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Strona %1 z %2</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Powiększ</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Pomniejsz</translation>
    </message>
    <message>
        <source>Zoom level</source>
        <translation>Powiększenie</translation>
    </message>
    <message>
        <source>Fit width</source>
        <translation>Dopasuj do szerokości</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Znajdź</translation>
    </message>
    <message>
        <source>Find text</source>
        <translation>Szukany tekst</translation>
    </message>
    <message>
        <source>Find next</source>
        <translation>Znajdź następny</translation>
    </message>
    <message>
        <source>Find previous</source>
        <translation>Znajdź poprzedni</translation>
    </message>
    <message>
        <source>Not found</source>
        <translation>Nie znaleziono</translation>
    </message>
    <message>
        <source>Searching...</source>
        <translation>Wyszukiwanie...</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopiuj</translation>
    </message>
    <message>
        <source>Document tools</source>
        <translation>Narzędzia dokumentu</translation>
    </message>
    <message>
        <source>Fit page</source>
        <translation>Dopasuj stronę</translation>
    </message>
    <message>
        <source>Actual size (100%)</source>
        <translation>Rzeczywisty rozmiar (100%)</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Wstecz</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Dalej</translation>
    </message>
    <message>
        <source>Print...</source>
        <translation>Drukuj...</translation>
    </message>
    <message>
        <source>Save a copy...</source>
        <translation>Zapisz kopię...</translation>
    </message>
    <message>
        <source>Open in the desktop&apos;s PDF viewer</source>
        <translation>Otwórz w systemowej przeglądarce PDF</translation>
    </message>
    <message>
        <source>Printing page %1 of %2...</source>
        <translation>Drukowanie strony %1 z %2...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>The document could not be printed: the printer did not accept the job.</source>
        <translation>Nie udało się wydrukować dokumentu: drukarka nie przyjęła zadania.</translation>
    </message>
    <message>
        <source>The document could not be printed: it could not be read again.</source>
        <translation>Nie udało się wydrukować dokumentu: nie można go ponownie odczytać.</translation>
    </message>
    <message>
        <source>A copy cannot replace the document itself. Choose another folder or name.</source>
        <translation>Kopia nie może zastąpić samego dokumentu. Wybierz inny folder lub inną nazwę.</translation>
    </message>
    <message>
        <source>The copy could not be saved as %1: %2</source>
        <translation>Nie udało się zapisać kopii jako %1: %2</translation>
    </message>
    <message>
        <source>No program to show PDF documents was found on this desktop.</source>
        <translation>Na tym pulpicie nie znaleziono programu do wyświetlania dokumentów PDF.</translation>
    </message>
    <message>
        <source>PDF documents (*.pdf)</source>
        <translation>Dokumenty PDF (*.pdf)</translation>
    </message>
    <message numerus="yes">
        <source>of %n page(s)</source>
        <translation>
            <numerusform>z %n strony</numerusform>
            <numerusform>z %n stron</numerusform>
            <numerusform>z %n stron</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>tavo::shell::DistributorData</name>
    <message>
        <source>phone +00 12 345 67 89, fax +00 12 345 67 90</source>
        <translation>tel. +00 12 345 67 89, faks +00 12 345 67 90</translation>
    </message>
</context>
<context>
    <name>tavo::shell::TF_Main</name>
    <message>
        <source>Programs</source>
        <translation>Programy</translation>
    </message>
    <message>
        <source>Internet</source>
        <translation>Internet</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Podręcznik</translation>
    </message>
    <message>
        <source>Tabs</source>
        <translation>Karty</translation>
    </message>
    <message>
        <source>Install the program Tavo C.H. 3.2</source>
        <translation>Zainstaluj program Tavo C.H. 3.2</translation>
    </message>
    <message>
        <source>Start the program Tavo C.H. 3.2</source>
        <translation>Uruchom program Tavo C.H. 3.2</translation>
    </message>
    <message>
        <source>Internet viewer Internet Explorer has not been installed in this system.</source>
        <translation>Przeglądarka internetowa Internet Explorer nie jest zainstalowana w tym systemie.</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Stan</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Postęp</translation>
    </message>
</context>
<context>
    <name>tavo::split::SplitBar</name>
    <message>
        <source>Vertical split bar</source>
        <translation>Pionowy pasek podziału</translation>
    </message>
    <message>
        <source>Horizontal split bar</source>
        <translation>Poziomy pasek podziału</translation>
    </message>
</context>
<context>
    <name>tavo::webengine::TWebEngineBrowser</name>
    <message>
        <source>Web page</source>
        <translation>Strona internetowa</translation>
    </message>
</context>
</TS>
