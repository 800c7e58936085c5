"""Batches equal single calls, threads change nothing, and bad input is a ValueError."""

import os
import subprocess

import numpy as np
import pytest
from hypothesis import HealthCheck, given, settings
from hypothesis import strategies as st

import torlin
from conftest import SOURCE, tool


def assert_tables_equal(a, b):
    assert a.keys() == b.keys()
    for name in a:
        if isinstance(a[name], np.ndarray) and a[name].dtype != object:
            np.testing.assert_array_equal(a[name], b[name], err_msg=name)
        else:
            assert list(np.ravel(a[name])) == list(np.ravel(b[name])), name


def test_a_batch_is_its_modes_one_by_one_and_threads_change_nothing(window):
    levers = np.array([0, 37.5, 115])
    eccentrics = np.array([[700], [-95]])  # broadcast: a 2 x 3 batch
    batch = torlin.loads(window, levers, eccentrics, rpm=6000, step=3, free_roller_mass=17.8, threads=2)
    assert batch["lift_mm"].shape[:2] == (2, 3)
    for i in range(2):
        for j in range(3):
            one = torlin.loads(window, levers[j], eccentrics[i, 0], rpm=6000, step=3, free_roller_mass=17.8)
            count = batch["rows"][i, j]
            for name, values in one.items():
                np.testing.assert_array_equal(np.asarray(batch[name][i, j][:count]), np.asarray(values), err_msg=name)
                assert all(v != v or v == "" for v in np.ravel(np.asarray(batch[name][i, j][count:], dtype=object)))
            for name, value in one.summary.items():
                assert batch.summary[name][i, j] == value or (value != value and batch.summary[name][i, j] != batch.summary[name][i, j])
    single = torlin.loads(window, levers, eccentrics, rpm=6000, step=3, free_roller_mass=17.8, threads=1)
    assert_tables_equal(batch, single)
    assert_tables_equal(torlin.mode_map(window, [0, 60], [200, 700], threads=1),
                        torlin.mode_map(window, [0, 60], [200, 700], threads=2))


def test_an_svaj_batch_shared_over_the_pool_is_its_modes_one_by_one(window):
    # Each mode's rows are cut into tasks across modes; put back, every mode is whole.
    levers, eccentrics = [0, 37.25, 115], [700, 613.5, -95]
    batch = torlin.svaj(window, levers, eccentrics, step=0.7, rpm=6000, threads=2)
    for k, (lever, eccentric) in enumerate(zip(levers, eccentrics)):
        one = torlin.svaj(window, lever, eccentric, step=0.7, rpm=6000, threads=1)
        count = batch["rows"][k]
        assert count == len(one["crank_deg"]) > 256  # more than one task's rows
        for name, values in one.items():
            np.testing.assert_array_equal(np.asarray(batch[name][k][:count]), np.asarray(values), err_msg=name)


def test_the_map_grid_runs_lever_by_lever_like_the_tool(window):
    table = torlin.mode_map(window, [0, 115], [-95, 0, 700], exact=False)
    assert list(table["lever"]) == [0, 0, 0, 115, 115, 115]
    assert list(table["eccentric"]) == [-95, 0, 700, -95, 0, 700]
    pairs = torlin.mode_map(window, [0, 115], [700, -95], grid=False, exact=False)
    assert list(zip(pairs["lever"], pairs["eccentric"])) == [(0, 700), (115, -95)]


@pytest.mark.parametrize("call,line", [
    (lambda d: torlin.svaj(d, 116, 0), "lever 116 is not from 0 to 115"),
    (lambda d: torlin.svaj(d, 0, float("nan")), "eccentric nan is not from -95 to 700"),
    (lambda d: torlin.svaj(d, 0, 0, step=0), "step must be"),
    (lambda d: torlin.loads(d, 0, 0, rpm=6000, spring_rate=-1), "spring_rate must be above 0, up to 1000"),
    (lambda d: torlin.loads(d, 0, 0, friction=0.05), "friction needs rpm"),
    (lambda d: torlin.loads(d, 0, 0, rpm=6000, roughness=0.3), "roughness needs friction"),
    (lambda d: torlin.loads(d, 0, 0, rpm=6000, springrate=3), "no load parameter is called springrate"),
    (lambda d: torlin.loads(d, 0, 0, rpm=6000, cylinders=4, firing_order=[1, 2, 2, 3]), "firing_order:"),
    (lambda d: torlin.loads(d, 0, 0, rpm=6000, limits={"min_film_ratio": 1}), "min_film_ratio needs friction"),
    (lambda d: torlin.mode_map(d, [0], [0], loads=True, limits={"allowable_hertz": 0}), "allowable_hertz must be above 0"),
    (lambda d: torlin.mode_map(d, [0], [0], limits={"max_pressure_angle": 40}), "limits need loads=True"),
    (lambda d: torlin.mode_map(d, [0.5], [0]), "lever 0.5 is not a whole value"),
    (lambda d: torlin.mode_map(d, [0], [0], threads=-1), "threads must be"),
    (lambda d: torlin.frames(d, 0, 0, speed=0), "speed must be"),
    (lambda d: torlin.target(d, 31, 200), "the target must be"),
])
def test_bad_arguments_are_value_errors_that_say_why(window, call, line):
    with pytest.raises(ValueError, match=line):
        call(window)


def test_a_bad_design_raises_the_tools_lines(tmp_path):
    design = torlin.Design.window().to_dict()
    design["freeRoller"]["radius_mm"] = -1
    design["cam"]["lobe"]["spam"] = 1
    path = tmp_path / "bad.json"
    path.write_text(__import__("json").dumps(design))
    result = subprocess.run([tool("modes"), "--design", str(path)], capture_output=True, text=True)
    lines = [line.removeprefix("torlin-modes: ") for line in result.stderr.splitlines()]
    with pytest.raises(ValueError) as raised:
        torlin.Design.load(path)
    assert str(raised.value).splitlines() == lines
    with pytest.raises(ValueError, match="no-such-file"):
        torlin.Design.load(tmp_path / "no-such-file.json")


def test_a_design_survives_dict_file_and_pickle(tmp_path, smooth):
    assert torlin.Design.from_dict(smooth.to_dict()) == smooth
    smooth.save(tmp_path / "copy.json")
    assert torlin.Design.load(tmp_path / "copy.json") == smooth
    assert __import__("pickle").loads(__import__("pickle").dumps(smooth)) == smooth
    assert [p.name for p in tmp_path.iterdir()] == ["copy.json"]  # no temporary file left


@settings(max_examples=25, deadline=None, derandomize=True,
          suppress_health_check=[HealthCheck.function_scoped_fixture, HealthCheck.data_too_large, HealthCheck.too_slow])
@given(lever=st.floats(0, 115), eccentric=st.floats(-95, 700), rpm=st.one_of(st.none(), st.floats(100, 20000)))
def test_any_position_gives_numbers_wherever_the_mode_is_placed(window, lever, eccentric, rpm):
    table = torlin.svaj(window, lever, eccentric, step=10, rpm=rpm)
    placed = np.array([status == "placed" for status in table["exactStatus"]])
    for name in ("lift_mm", "jerk_mPerS3" if rpm else "jerk_mmPerCrankDeg3"):
        assert np.isfinite(table[name][placed]).all(), name
        assert np.isnan(table[name][~placed]).all(), name
    assert np.isfinite(table["crank_deg"]).all()


@settings(max_examples=20, deadline=None, derandomize=True,
          suppress_health_check=[HealthCheck.data_too_large, HealthCheck.too_slow])
@given(scale=st.floats(0.5, 2.0), roller=st.floats(-20, 40))
def test_design_variations_either_build_or_raise(scale, roller):
    design = torlin.Design.window().to_dict()
    design["freeRoller"]["radius_mm"] = roller
    design["cam"]["baseRadius_mm"] *= scale
    try:
        variant = torlin.Design.from_dict(design)
    except ValueError as error:
        assert str(error).startswith("design: ")
        return
    table = torlin.mode_map(variant, [variant.lever_bars[0]], [variant.eccentric_bars[1]], loads=True, rpm=6000)
    for name, values in table.items():
        if values.dtype != object:
            assert not np.isinf(values).any(), name


def test_help_states_the_model(window):
    doc = torlin.loads.__doc__
    for text in ("Dowson and Higginson", "spring_rate", "free_roller_mass", "The elastic valve train", "Load defaults"):
        assert text in doc


def test_ctrl_c_stops_a_long_call_before_it_is_done(window):
    # The whole map's time, then the same call interrupted soon after it starts: it
    # must raise KeyboardInterrupt well before the whole map would be done, not after.
    import _thread
    import threading
    import time

    levers, eccentrics = (values[::2] for values in torlin.default_grid(window))  # 2,500 modes
    started = time.perf_counter()
    torlin.mode_map(window, levers, eccentrics)
    whole = time.perf_counter() - started
    timer = threading.Timer(whole / 20, _thread.interrupt_main)
    started = time.perf_counter()
    timer.start()
    with pytest.raises(KeyboardInterrupt):
        torlin.mode_map(window, levers, eccentrics)
        time.sleep(whole)  # an interrupt that waited for the call would still land here
    stopped = time.perf_counter() - started
    timer.join()
    assert stopped < whole / 2, (stopped, whole)
