#!/bin/sh
# The folders depend one way: app -> ui -> {framework, game -> ai}. Fails on an #include, or a
# library link, that points back up or across. One link runs up by design: the board classes in
# game/ carry drawing operations, which the Windows build defines in ui/'s milda_board_draw.
#   dependency_check.sh SOURCE_DIR
set -eu
cd "$1"
status=0
# forbid FOLDER PATTERN: no source in FOLDER includes a header whose path matches PATTERN.
forbid() {
    found=$(grep -rnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*\"($2)/" "$1" \
        --include='*.h' --include='*.cpp' || true)
    if [ -n "$found" ]; then
        echo "$1/ must not include from $(echo "$2" | sed "s/|/, /g"):"
        echo "$found"
        status=1
    fi
}
# forbid_link FOLDER "FOLDERS" [ALLOWED]: FOLDER's build links no library that FOLDERS define,
# except ALLOWED.
forbid_link() {
    targets=$(find $2 -maxdepth 1 \( -name CMakeLists.txt -o -name '*.cmake' \) -exec cat {} + |
        sed -nE 's/^[[:space:]]*add_(library|executable)\(([A-Za-z0-9_-]+).*/\2/p')
    for t in $targets; do
        [ "$t" = "${3:-}" ] && continue
        found=$(grep -nvE '^[[:space:]]*#' "$1/CMakeLists.txt" | grep -wE "$t" || true)
        if [ -n "$found" ]; then
            echo "$1/ must not link $t, from one of: $2"
            echo "$found"
            status=1
        fi
    done
}
forbid ai 'game|framework|ui|app'
forbid game 'framework|ui|app'
forbid framework 'game|ai|ui|app'
forbid ui 'app'
forbid_link ai 'game framework ui app'
forbid_link game 'framework ui app' milda_board_draw
forbid_link framework 'game ai ui app'
forbid_link ui 'app'
exit $status
