# The model's sources, written once: the model library and the fuzz build (tests/fuzz) both read
# this list, so a new model file cannot be left out of either.
set(tarnis_model_sources
    store.h
    conversions.h conversions.cpp
    model_step.h
    run.h run.cpp
    run_refusals.h run_refusals.cpp
    trajectory.h trajectory.cpp
    parameter_boxes.h parameter_boxes.cpp
    graphic_data.h graphic_data.cpp
    title_animation.h title_animation.cpp
    kept_runs.h kept_runs.cpp
    chart_quantities.h chart_quantities.cpp
    linear_stability.h linear_stability.cpp
    lyapunov.h lyapunov.cpp
    run_regime.h run_regime.cpp
    parameter_scan.h parameter_scan.cpp
    scan_estimate.h scan_estimate.cpp
)
