#!/usr/bin/env bash
# The layers of Tarnis, checked on the includes: every dependency runs downward,
#   model <- ui <- output <- charts <- dynamics, activities <- app,  dynamics <- chance <- app,  ui <- screens <- app,  model <- cli,
#   model <- web,
# and within the model, by subject,
#   model/numbers, model/language <- model/run <- model/charts, model/dynamics, model/continuous, model/chance <- model/words
#   <- model/lessons,
#   model/run <- model/screens;
# model/, cli/ and web/ stay plain C++ without Qt, and the model's files live in its subject folders.
# Prints every include that breaks this and fails.
#   check_includes.sh ROOT           checks the tree at ROOT
#   check_includes.sh --self-test ROOT
#                                    also plants an upward include of each kind in a copy of ROOT
#                                    and fails unless each one is caught
set -euo pipefail

# What each folder may include; "model" stands for every subject of the model.
declare -A allowed=(
    [model/numbers]="model/numbers"
    [model/language]="model/language"
    [model/run]="model/run model/numbers model/language"
    [model/charts]="model/charts model/run model/numbers model/language"
    [model/dynamics]="model/dynamics model/run model/numbers model/language"
    [model/continuous]="model/continuous model/run model/numbers model/language"
    [model/chance]="model/chance model/run model/numbers model/language"
    [model/words]="model/words model/charts model/dynamics model/continuous model/chance model/run model/numbers model/language"
    [model/screens]="model/screens model/run model/numbers model/language"
    [model/lessons]="model/lessons model/words model/charts model/dynamics model/continuous model/chance model/run model/numbers model/language"
    [cli]="cli model"
    [web]="web model"
    [ui]="ui model"
    [output]="output ui model"
    [charts]="charts output ui model"
    [dynamics]="dynamics charts output ui model"
    [screens]="screens ui model"
    [activities]="activities charts output ui model"
    [chance]="chance dynamics charts output ui model"
    [app]="app chance activities dynamics charts screens output ui model"
)
plain_cpp=(model/numbers model/language model/run model/charts model/dynamics model/continuous model/chance model/words model/screens model/lessons cli web)

# The folder an include names: the subject for the model's headers, else the top folder.
included_folder() {
    local path=$1 top=${1%%/*}
    if [[ $top == model && $path == */*/* ]]; then
        path=${path#model/}
        echo "model/${path%%/*}"
    else
        echo "$top"
    fi
}

check() {
    local root=$1 faults=0 folder file line target
    while IFS= read -r file; do
        echo "${file#"$root"/}: the model's files belong in its subject folders"
        faults=$((faults + 1))
    done < <(find "$root/model" -maxdepth 1 \( -name '*.h' -o -name '*.cpp' \) 2>/dev/null)
    for folder in "${!allowed[@]}"; do
        [[ -d $root/$folder ]] || continue
        while IFS=: read -r file _ line; do
            target=${line#*\"}
            target=$(included_folder "${target%%\"*}")
            if [[ " ${allowed[$folder]} " != *" $target "* && " ${allowed[$folder]} " != *" ${target%%/*} "* ]]; then
                echo "${file#"$root"/}: $folder/ may not include $target/: $line"
                faults=$((faults + 1))
            fi
        done < <(grep -rnE --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]+/' \
            "$root/$folder" || true)
        [[ " ${plain_cpp[*]} " == *" $folder "* ]] || continue
        while IFS=: read -r file _ line; do
            echo "${file#"$root"/}: $folder/ is plain C++ and may not include $line"
            faults=$((faults + 1))
        done < <(grep -rnE --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include[[:space:]]*<(Q|qcustomplot)' \
            "$root/$folder" || true)
    done
    ((faults == 0))
}

if [[ ${1:-} != --self-test ]]; then
    check "${1:?usage: check_includes.sh [--self-test] ROOT}"
    exit
fi

root=${2:?usage: check_includes.sh --self-test ROOT}
check "$root"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
planted=(
    'ui/navigator.cpp|#include "app/main_window.h"'
    'ui/design.cpp|#include "charts/chart_control.h"'
    'ui/twips.h|#include "output/file_saving.h"'
    'output/file_saving.cpp|#include "charts/chart_control.h"'
    'screens/screens.cpp|#include "charts/chart_family.h"'
    'charts/chart_menu.cpp|#include "app/tarnis_app.h"'
    'charts/run_comparison.h|#include "dynamics/dynamics_window.h"'
    'dynamics/dynamics_window.cpp|#include "app/main_window.h"'
    'dynamics/stability_map.cpp|#include "screens/screens.h"'
    'activities/activity_sheets.cpp|#include "dynamics/dynamics_window.h"'
    'activities/activities_window.h|#include "app/setup_files.h"'
    'chance/chance_window.cpp|#include "app/tarnis_app.h"'
    'chance/ensemble_charts.h|#include "activities/activities_window.h"'
    'dynamics/plot_style.cpp|#include "chance/ensemble_charts.h"'
    'model/run/run.cpp|#include "ui/services.h"'
    'model/run/run.h|#include <QString>'
    'model/numbers/conversions.cpp|#include "model/run/run.h"'
    'model/language/catalog.cpp|#include "model/numbers/conversions.h"'
    'model/run/trajectory.h|#include "model/dynamics/lyapunov.h"'
    'model/dynamics/lyapunov.cpp|#include "model/charts/chart_kinds.h"'
    'model/charts/chart_kinds.cpp|#include "model/words/chart_words.h"'
    'model/screens/identity.cpp|#include "model/words/quantity_text.h"'
    'model/words/regime_words.h|#include <QStringList>'
    'model/words/chart_words.cpp|#include "model/lessons/setup.h"'
    'cli/sweep.cpp|#include <QtCore>'
    'web/bind_run.cpp|#include "cli/sweep.h"'
    'web/js_values.h|#include "ui/locale_numbers.h"'
    'web/bind_dynamics.cpp|#include <QString>'
)
for plant in "${planted[@]}"; do
    file=${plant%%|*}
    # A plant in a file that moved would make a file of its own and prove less than it says.
    if [[ ! -f $root/$file ]]; then
        echo "the planted file $file is not there"
        exit 1
    fi
    rm -rf "$scratch/tree" && mkdir "$scratch/tree"
    for folder in "${!allowed[@]}"; do
        [[ -d $root/$folder ]] && mkdir -p "$scratch/tree/$folder" && cp -r "$root/$folder/." "$scratch/tree/$folder/"
    done
    echo "${plant#*|}" >>"$scratch/tree/$file"
    if check "$scratch/tree" >/dev/null; then
        echo "not caught: ${plant#*|} in $file"
        exit 1
    fi
done
echo "every planted upward include was caught"
