# Scenarios of the setup dialogs, opened from their menu items' command ids.
# shellcheck shell=bash

# ---------------------------------------------------------------------------
scenario "the archivers' parameters, the extension colours, the About box"
clear_drive "$U"
printf 't' > "$U/a.txt"
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
VERSION=$(sed -n 's/^project(qrn VERSION \([0-9.]*\).*/\1/p' "$HERE/../../CMakeLists.txt")
drive command QRN "QRN - " 40001
check "the About box names the project's version" becomes yes bash -c \
    "wine '$DRIVER' texts '#32770' 'QRNについて' | tr -d '\r' | grep -q 'Version $VERSION' && echo yes"
answer QRNについて '#1'
quit
