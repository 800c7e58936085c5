"""Sweeps: the same rows here and on a Dask cluster, resumable, and failures kept apart."""

import os
import subprocess
import sys
import time

import numpy as np
import pandas
import pytest

import torlin
from torlin import sweeps as sweeping

LEVERS = [0, 60, 115]
ECCENTRICS = [-95, 300, 700]
QUANTITIES = ["peakGreenShaftTorque_Nm", "separation_rpm", "lostContacts"]


def study(window, smooth, **options):
    return torlin.sweep([window, smooth], LEVERS, ECCENTRICS, rpm=[4000, 7000], quantities=QUANTITIES, **options)


def test_a_sweep_is_the_map_of_each_design_and_speed(window, smooth):
    frame = study(window, smooth)
    assert list(frame.columns) == ["design", "rpm", "lever", "eccentric"] + QUANTITIES + ["error"]
    assert len(frame) == 2 * 2 * 9 and not frame.attrs["failures"]
    for (name, rpm), rows in frame.groupby(["design", "rpm"], sort=False):
        design = window if name == window.name else smooth
        table = torlin.mode_map(design, LEVERS, ECCENTRICS, loads=True, rpm=rpm)
        np.testing.assert_array_equal(rows["peakGreenShaftTorque_Nm"], table["peakGreenShaftTorque_Nm"])
        assert list(rows["lostContacts"].fillna("")) == list(table["lostContacts"])


def test_a_local_cluster_gives_the_same_rows(window, smooth):
    distributed = pytest.importorskip("distributed")
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, dashboard_address=None) as cluster, \
            distributed.Client(cluster) as client:
        on_cluster = study(window, smooth, client=client)
    pandas.testing.assert_frame_equal(on_cluster, study(window, smooth))


def test_out_is_written_whole_and_a_rerun_computes_only_what_is_missing(tmp_path, window, smooth, monkeypatch):
    out = str(tmp_path / "sweep")
    real = sweeping._run_task

    def failing(task, quantities, options):
        if task.index == 1:
            raise RuntimeError("the cluster lost this worker")
        return real(task, quantities, options)

    monkeypatch.setattr(sweeping, "_run_task", failing)
    partial = study(window, smooth, out=out)
    assert len(partial) == 36 and len(partial.attrs["failures"]) == 9  # task 1's cases, each with its error
    assert set(partial[partial["error"] != ""]["lever"]) == set(LEVERS)
    assert all("the cluster lost this worker" in f["error"] for f in partial.attrs["failures"])
    assert partial[partial["error"] != ""]["peakGreenShaftTorque_Nm"].isna().all()
    assert not os.path.exists(os.path.join(out, "sweep.csv"))  # not whole yet
    kept = {name: os.stat(os.path.join(out, name)).st_mtime_ns for name in os.listdir(out) if name.startswith("part")}
    assert sorted(kept) == ["part-00000.csv", "part-00002.csv", "part-00003.csv"]

    computed = []
    monkeypatch.setattr(sweeping, "_run_task", lambda task, *rest: computed.append(task.index) or real(task, *rest))
    whole = study(window, smooth, out=out)
    assert computed == [1]
    assert all(os.stat(os.path.join(out, name)).st_mtime_ns == when for name, when in kept.items())
    fresh = study(window, smooth)
    pandas.testing.assert_frame_equal(whole, fresh)
    pandas.testing.assert_frame_equal(sweeping._Store(out, sweeping._fingerprint(
        sweeping._plan([window, smooth], LEVERS, ECCENTRICS, [4000, 7000], 1000), QUANTITIES,
        {"threads": 0}), 4).read(sweeping._plan([window, smooth], LEVERS, ECCENTRICS, [4000, 7000], 1000))[2],
        fresh[(fresh["rpm"] == 4000) & (fresh["design"] == smooth.name)].reset_index(drop=True))
    assert sorted(n for n in os.listdir(out) if n.startswith(".")) == []  # no temporary file left
    with pytest.raises(ValueError, match="another sweep"):
        torlin.sweep(window, LEVERS, ECCENTRICS, rpm=5000, quantities=QUANTITIES, out=out)


def test_a_sweep_killed_halfway_resumes_with_the_missing_chunks(tmp_path, window, monkeypatch):
    out = str(tmp_path / "killed")
    script = ("import torlin; torlin.sweep(torlin.Design.window(), rpm=[4000, 5000, 6000, 7000], "
              f"quantities=['separation_rpm'], out={out!r}, threads=1)")
    worker = subprocess.Popen([sys.executable, "-c", script], env=os.environ.copy())
    try:
        while worker.poll() is None and not (os.path.isdir(out) and any(n.startswith("part") for n in os.listdir(out))):
            time.sleep(0.05)
    finally:
        worker.kill()
        worker.wait()
    done = sorted(n for n in os.listdir(out) if n.startswith("part"))
    assert done  # on a very fast machine all 40 may be there: then nothing is left to compute
    computed = []
    real = sweeping._run_task
    monkeypatch.setattr(sweeping, "_run_task", lambda task, *rest: computed.append(task.index) or real(task, *rest))
    frame = torlin.sweep(window, rpm=[4000, 5000, 6000, 7000], quantities=["separation_rpm"], out=out, threads=1)
    assert len(computed) == 40 - len([n for n in done if os.path.getsize(os.path.join(out, n)) > 0])
    assert len(frame) == 40000 and frame["error"].eq("").all()


def test_chunks_and_quantities_are_checked(window):
    with pytest.raises(ValueError, match="at least 1000"):
        torlin.sweep(window, LEVERS, ECCENTRICS, chunk=10)
    with pytest.raises(ValueError, match="no column nonsense_Nm"):
        torlin.sweep(window, LEVERS, ECCENTRICS, quantities=["nonsense_Nm"])
