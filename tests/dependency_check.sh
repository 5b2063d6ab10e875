#!/bin/sh
# The folders depend one way: app -> ui -> {framework, ai -> game}. Fails on an #include that
# points back up or across.
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
forbid game 'ai|framework|ui|app'
forbid ai 'framework|ui|app'
forbid framework 'game|ai|ui|app'
forbid ui 'app'
exit $status
