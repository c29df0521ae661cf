# Scenarios of the setup dialogs, opened from their menu items' command ids.
# shellcheck shell=bash

# ---------------------------------------------------------------------------
scenario "every setup dialog from its command id, a change in each"
clear_drive "$U"
printf 't' > "$U/a.txt" && mkdir "$U/reg"
open_u "Disp_Mode=1" "[PKUPK_CMD]" "ZIP_UNPACK=-x -o"
drive command QRN "QRN - " 40024
check "the archivers' parameters open" drive wait '#32770' 圧縮／解凍パラメータ設定 10000
check "with the file's values" equals "$(drive gettext '#32770' 圧縮／解凍パラメータ設定 '#1037' | tr -d '\r')" '-x -o'
drive settext '#32770' 圧縮／解凍パラメータ設定 '#1040' 'xf'
answer 圧縮／解凍パラメータ設定 '#1'
check "OK writes what was typed" ini_becomes PKUPK_CMD TAR_UNPACK xf
drive command QRN "QRN - " 40003
check "the extension colours open" drive wait '#32770' 拡張子色指定 10000
drive settext '#32770' 拡張子色指定 '#1035' TXT
drive press '#32770' 拡張子色指定 '#1002'
answer 拡張子色指定 '#1'
check "a colour button and 更新 write the extension's colour" ini_becomes BIN_COLOR TXT '1  ;青'
drive command QRN "QRN - " 40040
check "the one-key directories open" drive wait '#32770' QRNの基本設定 10000
drive settext '#32770' QRNの基本設定 '#1037' 'U:\reg'
answer QRNの基本設定 '#1'
check "OK stores a directory with its backslash" ini_becomes SET_DIR SET1 'U:\reg\'
keys comma
check "which the one-key directory takes at once" drive wait QRN 'QRN - U:\reg\' 10000
drive command QRN "QRN - " 40038
check "the basic settings open" drive wait '#32770' QRNの基本設定 10000
check "with the editor in use" equals "$(drive gettext '#32770' QRNの基本設定 '#1035' | tr -d '\r')" notepad.exe
drive settext '#32770' QRNの基本設定 '#1035' 'C:\qrn\ed.exe'
answer QRNの基本設定 '#1'
check "and OK writes the editor" ini_becomes QRNInit Editor 'C:\qrn\ed.exe'
drive command QRN "QRN - " 40041
check "the display settings open" drive wait '#32770' QRNの表示設定 10000
drive press '#32770' QRNの表示設定 '#1028'
answer QRNの表示設定 '#1'
check "ticking the toolbar's box writes it on" ini_becomes QRNInit ToolBar 1
drive command QRN "QRN - " 40039
check "the colour settings open" drive wait '#32770' QRNの画面色設定 10000
drive settext '#32770' QRNの画面色設定 '#1033' ''
drive press '#32770' QRNの画面色設定 '#1'
check "without a font nothing is saved" question Error! フォントが設定されていません。
answer Error! '#1'
drive settext '#32770' QRNの画面色設定 '#1033' 'Courier New'
answer QRNの画面色設定 '#1'
check "with one the font is written" ini_becomes QRNInit Font 'Courier New'
VERSION=$(sed -n 's/^project(qrn VERSION \([0-9.]*\).*/\1/p' "$HERE/../../CMakeLists.txt")
drive command QRN "QRN - " 40001
check "the About box names the project's version" becomes yes bash -c \
    "wine '$DRIVER' texts '#32770' 'QRNについて' | tr -d '\r' | grep -q 'Version $VERSION' && echo yes"
answer QRNについて '#1'
quit
