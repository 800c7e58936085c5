"""Sweeps over designs, modes and engine speeds, on this machine or a Dask cluster."""

from __future__ import annotations

import hashlib
import json
import os
import tempfile
from dataclasses import dataclass
from typing import Iterable, List, Optional, Sequence

import numpy as np

#: Modes per task: fewer would spend more on scheduling than on the model.
MIN_CHUNK = 1000

_DYNAMICS_COLUMNS = {"seatingVelocity_mPerS", "bounces", "chainUnloaded_deg"}
_LOFT_COLUMNS = {"loftSpeed_rpm", "bounceSpeed_rpm"}
_KEYS = ["design", "rpm", "lever", "eccentric"]


@dataclass(frozen=True)
class _Task:
    index: int
    design: object  # torlin.Design (picklable)
    design_name: str
    rpm: float
    levers: tuple
    eccentrics: tuple


def _run_task(task: _Task, quantities: Sequence[str], options: dict):
    """One task's rows as a DataFrame: the keys, then the quantities."""
    import pandas

    from . import mode_map

    table = mode_map(task.design, list(task.levers), list(task.eccentrics), grid=False, loads=True, rpm=task.rpm,
                     **options)
    missing = [name for name in quantities if name not in table]
    if missing:
        raise ValueError(f"no column {', '.join(missing)} in the map; it has {', '.join(sorted(table))}")
    frame = pandas.DataFrame({"design": task.design_name, "rpm": task.rpm, "lever": table["lever"],
                              "eccentric": table["eccentric"]})
    for name in quantities:
        frame[name] = table[name]
    return frame


def _write_whole(path: str, write) -> None:
    """Writes a file whole or not at all: a temporary file beside it, then renamed."""
    folder = os.path.dirname(os.path.abspath(path))
    handle, temporary = tempfile.mkstemp(prefix=".part-", dir=folder)
    try:
        with os.fdopen(handle, "w", encoding="utf-8", newline="") as file:
            write(file)
            file.flush()
            os.fsync(file.fileno())
        os.replace(temporary, path)
    except BaseException:
        if os.path.exists(temporary):
            os.unlink(temporary)
        raise


def _plan(designs, lever, eccentric, rpm, chunk) -> List[_Task]:
    from . import Design, default_grid

    designs = [designs] if isinstance(designs, Design) else list(designs)
    if not designs:
        raise ValueError("sweep needs at least one design")
    speeds = np.atleast_1d(np.asarray(rpm, dtype=float)).ravel()
    tasks = []
    for design_index, design in enumerate(designs):
        levers, eccentrics = default_grid(design)
        levers = levers if lever is None else np.ravel(np.asarray(lever, dtype=float))
        eccentrics = eccentrics if eccentric is None else np.ravel(np.asarray(eccentric, dtype=float))
        grid_levers, grid_eccentrics = (a.ravel() for a in np.meshgrid(levers, eccentrics, indexing="ij"))
        name = design.name or f"design{design_index + 1}"
        for speed in speeds:
            for first in range(0, grid_levers.size, chunk):
                tasks.append(_Task(len(tasks), design, name, float(speed),
                                   tuple(grid_levers[first:first + chunk].tolist()),
                                   tuple(grid_eccentrics[first:first + chunk].tolist())))
    return tasks


def _fingerprint(tasks: List[_Task], quantities, options) -> str:
    """What the sweep computes, so that a resumed one reuses only its own parts."""
    digest = hashlib.sha256()
    digest.update(json.dumps([list(quantities), sorted(options.items())], default=str).encode())
    for task in tasks:
        digest.update(task.design.to_json().encode())
        digest.update(json.dumps([task.rpm, task.levers, task.eccentrics]).encode())
    return digest.hexdigest()


def sweep(designs, lever=None, eccentric=None, rpm=6000.0, quantities: Sequence[str] = ("peakGreenShaftTorque_Nm",),
          client=None, out: Optional[str] = None, chunk: int = MIN_CHUNK, threads: int = 0, **options):
    """Every combination of designs, modes and engine speeds, as one pandas DataFrame.

    ``designs``: one :class:`torlin.Design` or several; ``lever``, ``eccentric``: whole bar
    values, every combination of them (left out: each design's default grid); ``rpm``:
    one engine speed or several. ``quantities``: columns of the map with loads
    (:func:`torlin.mode_map` with ``loads=True``), such as ``peakGreenShaftTorque_Nm``,
    ``separation_rpm``, ``returnSpring_N``; ``seatingVelocity_mPerS`` and ``bounces``
    turn the elastic model on, ``loftSpeed_rpm`` and ``bounceSpeed_rpm`` its loft speeds
    too. ``options``: the load model's keyword parameters (see :func:`torlin.loads`).

    The work is cut into tasks of ``chunk`` (at least 1,000) modes of one design at one
    speed. With ``client=None`` they run here, each on the C++ thread pool (``threads``);
    with a ``dask.distributed.Client`` on its cluster (``LocalCluster()`` on this
    machine, or ``Client("tcp://scheduler:8786")`` for a real one, whose workers have
    torlin installed).

    ``out``: a folder. Each task's rows are written there as it ends, whole or not at
    all, with the whole table as ``sweep.csv`` at the end; run the same sweep again with
    the same ``out`` and only the missing tasks are computed. A task that fails does
    not stop the others: its error is in ``failures.csv`` and in the result's
    ``attrs["failures"]``, and the sweep raises only if every task failed.

    Columns: design (its name), rpm, lever, eccentric, then the quantities.
    """
    import pandas

    if chunk < MIN_CHUNK:
        raise ValueError(f"chunk must be at least {MIN_CHUNK} modes per task, not {chunk}")
    quantities = list(quantities)
    options = dict(options)
    if _LOFT_COLUMNS & set(quantities):
        options.setdefault("dynamics", True)
        options.setdefault("loft_speeds", True)
    elif _DYNAMICS_COLUMNS & set(quantities):
        options.setdefault("dynamics", True)
    options["threads"] = threads
    tasks = _plan(designs, lever, eccentric, rpm, chunk)

    parts = {}
    if out is not None:
        os.makedirs(out, exist_ok=True)
        fingerprint = _fingerprint(tasks, quantities, options)
        manifest = os.path.join(out, "sweep.json")
        if os.path.exists(manifest):
            with open(manifest, encoding="utf-8") as file:
                if json.load(file).get("fingerprint") != fingerprint:
                    raise ValueError(f"{out} holds another sweep's parts; give an empty or new folder")
        else:
            _write_whole(manifest, lambda file: json.dump({"fingerprint": fingerprint, "tasks": len(tasks)}, file))
        for task in tasks:
            path = _part_path(out, task)
            if os.path.exists(path):
                parts[task.index] = pandas.read_csv(path)

    failures = []

    def finished(task: _Task, frame=None, error: Optional[BaseException] = None):
        if error is not None:
            failures.append({"task": task.index, "design": task.design_name, "rpm": task.rpm,
                             "firstLever": task.levers[0], "firstEccentric": task.eccentrics[0],
                             "error": f"{type(error).__name__}: {error}"})
            return
        parts[task.index] = frame
        if out is not None:
            _write_whole(_part_path(out, task), lambda file: frame.to_csv(file, index=False))

    todo = [task for task in tasks if task.index not in parts]
    if client is None:
        for task in todo:
            try:
                finished(task, _run_task(task, quantities, options))
            except Exception as error:  # recorded; the other tasks go on
                finished(task, error=error)
    else:
        from distributed import as_completed

        futures = {client.submit(_run_task, task, quantities, options, pure=False): task for task in todo}
        for future in as_completed(futures):
            task = futures[future]
            if future.status == "error":
                finished(task, error=future.exception())
            else:
                finished(task, future.result())

    failures.sort(key=lambda failure: failure["task"])
    if out is not None:
        failed = pandas.DataFrame(failures, columns=["task", "design", "rpm", "firstLever", "firstEccentric", "error"])
        _write_whole(os.path.join(out, "failures.csv"), lambda file: failed.to_csv(file, index=False))
    if not parts:
        raise RuntimeError("every task of the sweep failed; the first: " + failures[0]["error"])
    frame = pandas.concat([parts[index] for index in sorted(parts)], ignore_index=True)
    frame = frame[_KEYS + quantities]
    frame.attrs["failures"] = failures
    if out is not None and not failures:
        _write_whole(os.path.join(out, "sweep.csv"), lambda file: frame.to_csv(file, index=False))
    return frame


def _part_path(out: str, task: _Task) -> str:
    return os.path.join(out, f"part-{task.index:05d}.csv")
