"""Sweeps over designs, modes and engine speeds, on this machine or a Dask cluster."""

from __future__ import annotations

import hashlib
import json
import os
from dataclasses import dataclass
from typing import List, Optional, Sequence

import numpy as np

from ._files import write_whole

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


def _case_rows(task: _Task, levers, eccentrics, quantities: Sequence[str], options: dict):
    import pandas

    from . import mode_map

    table = mode_map(task.design, list(levers), list(eccentrics), grid=False, loads=True, rpm=task.rpm, **options)
    missing = [name for name in quantities if name not in table]
    if missing:
        raise KeyError(f"no column {', '.join(missing)} in the map; it has {', '.join(sorted(table))}")
    frame = pandas.DataFrame({"design": task.design_name, "rpm": task.rpm, "lever": table["lever"],
                              "eccentric": table["eccentric"]})
    for name in quantities:
        frame[name] = table[name]
    frame["error"] = ""
    return frame


def _run_task(task: _Task, quantities: Sequence[str], options: dict):
    """One task's rows as a DataFrame: the keys, the quantities and each case's error.

    Should the chunk fail, its cases are run one by one, so that one bad case costs
    only its own row (its quantities empty, its error said).
    """
    import pandas

    try:
        return _case_rows(task, task.levers, task.eccentrics, quantities, options)
    except KeyError:
        raise
    except Exception:  # find the cases that fail
        rows = []
        for lever, eccentric in zip(task.levers, task.eccentrics):
            try:
                rows.append(_case_rows(task, [lever], [eccentric], quantities, options))
            except Exception as error:
                rows.append(_failed_rows(task, [lever], [eccentric], quantities, error))
        return pandas.concat(rows, ignore_index=True)


def _failed_rows(task: _Task, levers, eccentrics, quantities, error: BaseException):
    import pandas

    frame = pandas.DataFrame({"design": task.design_name, "rpm": task.rpm, "lever": list(levers),
                              "eccentric": list(eccentrics)})
    for name in quantities:
        frame[name] = np.nan
    frame["error"] = f"{type(error).__name__}: {error}"
    return frame


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

    One row per case: design (its name), rpm, lever, eccentric, the quantities, and
    error (empty, or why that case has no numbers: a case that fails does not stop the
    others; ``attrs["failures"]`` lists them).

    The work is cut into tasks of ``chunk`` (at least 1,000) modes of one design at one
    speed. With ``client=None`` they run here, each on the C++ thread pool (``threads``);
    with a ``dask.distributed.Client`` on its cluster (``Client(LocalCluster())`` on this
    machine, ``Client("tcp://scheduler:8786")`` for a real one, whose workers have
    torlin installed): the same study, one argument changed.

    ``out``: a folder. Each task's rows are written there as it completes, whole or not
    at all; a rerun with the same ``out`` computes only the tasks missing there (after
    a crash, a stop, or a lost worker, whose cases are recorded as failed and not
    written). Once every task is there, the whole table is ``sweep.csv`` too.
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
    store = _Store(out, _fingerprint(tasks, quantities, options), len(tasks)) if out is not None else None
    parts = store.read(tasks) if store else {}

    def completed(task: _Task, frame):
        parts[task.index] = frame
        if store:
            store.write(task, frame)

    def lost(task: _Task, error: BaseException):
        if isinstance(error, KeyError):  # a quantity the map does not have: the caller's mistake
            raise ValueError(error.args[0]) from None
        parts[task.index] = _failed_rows(task, task.levers, task.eccentrics, quantities, error)

    todo = [task for task in tasks if task.index not in parts]
    if client is None:
        for task in todo:
            try:
                frame = _run_task(task, quantities, options)
            except Exception as error:
                lost(task, error)
            else:
                completed(task, frame)
    else:
        from distributed import as_completed

        futures = {client.submit(_run_task, task, quantities, options, pure=False): task for task in todo}
        for future in as_completed(futures):
            if future.status == "error":
                lost(futures[future], future.exception())
            else:
                completed(futures[future], future.result())

    frame = pandas.concat([parts[index] for index in sorted(parts)], ignore_index=True)
    frame = frame[_KEYS + quantities + ["error"]]
    failed = frame[frame["error"] != ""]
    frame.attrs["failures"] = failed[_KEYS + ["error"]].to_dict("records")
    if store and store.complete(tasks):
        write_whole(os.path.join(out, "sweep.csv"), lambda file: frame.to_csv(file, index=False))
    return frame


class _Store:
    """A sweep's folder: its fingerprint, which columns hold words, and a part per task."""

    def __init__(self, folder: str, fingerprint: str, tasks: int):
        self.folder = folder
        os.makedirs(folder, exist_ok=True)
        self.manifest = os.path.join(folder, "sweep.json")
        self.state = {"fingerprint": fingerprint, "tasks": tasks, "words": None}
        if os.path.exists(self.manifest):
            with open(self.manifest, encoding="utf-8") as file:
                state = json.load(file)
            if state.get("fingerprint") != fingerprint:
                raise ValueError(f"{folder} holds another sweep's parts; give an empty or new folder")
            self.state = state
        else:
            self._save()

    def _save(self):
        write_whole(self.manifest, lambda file: json.dump(self.state, file))

    def read(self, tasks) -> dict:
        import pandas

        words = self.state["words"]
        parts = {}
        if words is None:
            return parts
        for task in tasks:
            path = _part_path(self.folder, task)
            if os.path.exists(path):
                # Empty cells of number columns are NaN; of word columns, empty words.
                frame = pandas.read_csv(path, keep_default_na=False, dtype={name: str for name in words})
                for name in frame.columns:
                    if name not in words:
                        frame[name] = pandas.to_numeric(frame[name].replace("", np.nan))
                parts[task.index] = frame
        return parts

    def write(self, task: _Task, frame):
        if self.state["words"] is None:
            self.state["words"] = [name for name in frame.columns if frame[name].dtype == object]
            self._save()
        write_whole(_part_path(self.folder, task), lambda file: frame.to_csv(file, index=False))

    def complete(self, tasks) -> bool:
        return all(os.path.exists(_part_path(self.folder, task)) for task in tasks)


def _part_path(out: str, task: _Task) -> str:
    return os.path.join(out, f"part-{task.index:05d}.csv")
