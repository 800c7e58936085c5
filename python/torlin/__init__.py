"""Torlin's exact model of the two-shaft variable valve actuation mechanism.

A cam turns; a free roller sits between the cam and the curved face of a pivoting
lever (the green control shaft, bar value ``lever``); it bears on a second roller hung
from an eccentric (the orange control shaft, bar value ``eccentric``); a rod pushes the
valve. Every function takes a :class:`Design` (``Design.window()`` for the window's own)
and returns a :class:`Table`: a dict of numpy arrays keyed by the same column names,
with units, as ``torlin-modes`` writes in its CSV. An empty CSV cell is NaN here; a
column of words is a list of str.

Batches: ``lever`` and ``eccentric`` may be arrays (broadcast against each other);
the result's arrays then have a leading mode axis, padded with NaN (words: "") where a
mode has fewer rows than the longest, and ``table["rows"]`` holds each mode's own
count. The work runs on the C++ thread pool with the interpreter lock released;
``threads=0`` uses one thread per core (as ``torlin-modes --threads``).

Units: lengths in mm, crank angles in crank degrees (twice the cam angle), engine
speed in rpm, forces in N, torques in N m, masses in g, stiffness in N/mm.
"""

from __future__ import annotations

import json
import os
from typing import Any, Iterable, Mapping, Optional, Sequence

import numpy as np

from . import _torlin
from ._files import write_whole

__version__ = _torlin.__version__
__all__ = ["Design", "Table", "svaj", "loads", "frames", "mode_map", "target", "sweep", "default_grid"]

#: The window's speed bar: (first, last, start value), in 1/100 cam degree per frame.
WINDOW_SPEED = tuple(_torlin.window_speed)


class Design:
    """Every dimension of a mechanism, built and checked; immutable and picklable.

    A bad design raises ``ValueError`` with the same lines ``torlin-modes --design``
    prints, each naming where the design came from.
    """

    __slots__ = ("_native",)

    def __init__(self, native: "_torlin.Design"):
        self._native = native

    @classmethod
    def window(cls) -> "Design":
        """The window's own design."""
        return cls(_torlin.Design.window())

    @classmethod
    def load(cls, path: "os.PathLike[str] | str") -> "Design":
        """A design file (JSON, format 1), read and checked."""
        return cls(_torlin.Design.load(os.fspath(path)))

    @classmethod
    def from_json(cls, text: str, source: str = "design") -> "Design":
        """A design file's text, read and checked; ``source`` names it in errors."""
        return cls(_torlin.Design.from_json(text, source))

    @classmethod
    def from_dict(cls, data: Mapping[str, Any], source: str = "design") -> "Design":
        """A design from the dict a design file holds (see ``to_dict``)."""
        return cls.from_json(json.dumps(data), source)

    def to_json(self) -> str:
        """The design file's text."""
        return self._native.to_json()

    def to_dict(self) -> dict:
        """The design file's keys and values; ``Design.from_dict`` takes it back."""
        return json.loads(self.to_json())

    def save(self, path: "os.PathLike[str] | str") -> None:
        """Writes the design file whole or not at all (a temporary file, then renamed)."""
        write_whole(os.fspath(path), lambda file: file.write(self.to_json()), prefix=".design-")

    @property
    def name(self) -> str:
        return self._native.name

    @property
    def lever_bars(self) -> tuple:
        """The lever bar's whole values: (first, last)."""
        return tuple(self._native.lever_bars)

    @property
    def eccentric_bars(self) -> tuple:
        """The eccentric bar's whole values: (first, last)."""
        return tuple(self._native.eccentric_bars)

    def __reduce__(self):
        return (Design.from_json, (self.to_json(), self.name or "design"))

    def __eq__(self, other: object) -> bool:
        return isinstance(other, Design) and self.to_json() == other.to_json()

    def __hash__(self) -> int:
        return hash(self.to_json())

    def __repr__(self) -> str:
        return f"torlin.Design({self.name!r})"


class Table(dict):
    """Columns by their CSV names (with units), as numpy arrays or lists of str.

    ``summary`` holds the summary lines' values where the table has them (loads).
    """

    summary: dict

    def __init__(self, columns: Mapping[str, Any], summary: Optional[Mapping[str, Any]] = None):
        super().__init__(columns)
        self.summary = dict(summary or {})

    def to_frame(self):
        """The table as a pandas DataFrame (one mode's, or a map's)."""
        import pandas

        return pandas.DataFrame({name: value for name, value in self.items() if name != "rows"})


def _modes(lever, eccentric):
    """The batch of modes, and whether the call was for one mode."""
    levers, eccentrics = np.broadcast_arrays(np.asarray(lever, dtype=float), np.asarray(eccentric, dtype=float))
    single = levers.ndim == 0
    return levers.ravel().tolist(), eccentrics.ravel().tolist(), single, levers.shape


def _one_mode(columns: dict) -> dict:
    """A batch of one mode's table as that mode's own rows."""
    count = int(columns["rows"][0])
    out = {}
    for name, value in columns.items():
        if name == "rows":
            continue
        out[name] = value[0][:count] if isinstance(value, list) else np.asarray(value)[0, :count]
    return out


def _shaped(columns: dict, single: bool, shape) -> dict:
    if single:
        return _one_mode(columns)
    out = {}
    for name, value in columns.items():
        array = np.asarray(value, dtype=object) if isinstance(value, list) else np.asarray(value)
        out[name] = array.reshape(tuple(shape) + array.shape[1:])
    return out


def _scalars(summary: dict, single: bool, shape) -> dict:
    out = {}
    for name, value in summary.items():
        array = np.asarray(value, dtype=object) if isinstance(value, list) else np.asarray(value)
        out[name] = array.reshape(shape)[()] if single else array.reshape(shape)
        if single and isinstance(out[name], np.generic):
            out[name] = out[name].item()
    return out


def svaj(design: Design, lever, eccentric, step: float = _torlin.default_step_deg, rpm: Optional[float] = None, *,
         speed: int = WINDOW_SPEED[2], tdc: Optional[float] = None, threads: int = 0) -> Table:
    """Exact lift (mm), velocity, acceleration and jerk of a mode over the cycle.

    As ``torlin-modes --svaj LEVER,ECCENTRIC``: a row at every ``step`` crank degrees, at
    every frame of the window's revolution at ``speed`` and on both sides of every
    curvature jump (``jumpSide`` -1 and 1). Derivatives per crank degree, or per second
    at ``rpm`` (engine speed). Bar values need not be whole; ``windowLift_mm`` is the
    window's own lift at its frames (whole bar values only). ``tdc``: crank angles
    measured from top dead centre there.
    """
    levers, eccentrics, single, shape = _modes(lever, eccentric)
    columns = _torlin.svaj(design._native, levers, eccentrics, step, rpm, speed, tdc, threads)
    return Table(_shaped(columns, single, shape))


def _load_numbers(parameters: Mapping[str, Optional[float]]) -> dict:
    return {name: float(value) for name, value in parameters.items() if value is not None}


def _limit_numbers(limits: Optional[Mapping[str, float]]) -> dict:
    return {} if limits is None else {name: float(value) for name, value in dict(limits).items()}


def loads(design: Design, lever, eccentric, rpm: Optional[float] = None, step: float = _torlin.default_step_deg, *,
          tdc: Optional[float] = None, threads: int = 0, dynamics: bool = False, spring_masses: int = 0,
          cylinders: int = 0, firing_order: Sequence[int] = (), valves_per_cylinder: int = 1,
          limits: Optional[Mapping[str, float]] = None, **parameters: Optional[float]) -> Table:
    """Forces, Hertz pressures and shaft torques of a mode at every step of the cycle.

    As ``torlin-modes --loads LEVER,ECCENTRIC --rpm RPM``; without ``rpm`` at rest (no
    inertia). The table's ``summary`` holds the summary lines (and with ``friction``
    and ``dynamics`` theirs) per mode. Keyword parameters, each left out for its
    default (see the list below): the load model's numbers by the tool's option name in
    snake case, e.g. ``spring_rate=35``, ``free_roller_mass=17.8``, ``friction=0.05``,
    ``oil_viscosity=0.01``, ``chain_stiffness=15000``; ``dynamics=True`` adds the elastic
    valve train; ``cylinders`` (with ``firing_order`` and ``valves_per_cylinder``) the
    engine's shaft torques.

    ``limits`` judges the mode as the tool's limit options do, by their names in snake
    case, each left out for its default: ``min_separation_rpm`` (rpm; default the engine
    speed), ``allowable_hertz`` (MPa, 1500), ``max_pressure_angle`` (deg, 30),
    ``min_film_ratio`` (with friction, 1), ``max_seating_velocity`` (m/s, with dynamics,
    0.5). ``summary["exceededLimits"]`` names the limits crossed as the map's column does,
    ``summary["warnings"]`` gives the tool's warning line of each.
    """
    levers, eccentrics, single, shape = _modes(lever, eccentric)
    columns, summary = _torlin.loads(design._native, levers, eccentrics, step, tdc, threads,
                                     _load_numbers(parameters), rpm, dynamics, spring_masses, cylinders,
                                     list(firing_order), valves_per_cylinder, _limit_numbers(limits))
    return Table(_shaped(columns, single, shape), _scalars(summary, single, shape))


def frames(design: Design, lever: int, eccentric: int, speed: int = WINDOW_SPEED[2], revolutions: int = 2,
           all_frames: bool = False) -> Table:
    """The window's own frames, as ``torlin-lift``: the animation loop run headless.

    Whole bar values only (the window's bars); ``speed`` in 1/100 cam degree per frame.
    The frames of the first ``revolutions`` revolutions; ``all_frames`` keeps the
    start-up frame before the lever curve was first turned.
    """
    columns = _torlin.frames(design._native, int(lever), int(eccentric), int(speed), int(revolutions),
                             bool(all_frames))
    return Table(_one_mode(columns))


def default_grid(design: Design) -> tuple:
    """The map's default bar values: 100 evenly spread whole values of each shaft."""
    return tuple(np.asarray(values) for values in _torlin.default_grid(design._native))


def mode_map(design: Design, lever=None, eccentric=None, *, grid: bool = True, speed: int = WINDOW_SPEED[2],
             exact: bool = True, tdc: Optional[float] = None, threads: int = 0, loads: bool = False,
             rpm: Optional[float] = None, dynamics: bool = False, spring_masses: int = 0, loft_speeds: bool = False,
             limits: Optional[Mapping[str, float]] = None, **parameters: Optional[float]) -> Table:
    """Every mode's lift, duration and timing: one row per mode, as ``torlin-modes``.

    ``lever`` and ``eccentric`` are whole bar values; with ``grid`` every combination
    (lever by lever, as the tool's rows), else pairs broadcast against each other. Left
    out: the design's default grid. ``exact`` adds the exact model's columns (``--exact``);
    ``loads`` each mode's load summary at ``rpm`` (``--loads``, with the same keyword
    parameters as :func:`loads`), ``dynamics`` the elastic figures, ``loft_speeds`` the
    loft and bounce speeds; ``exceededLimits`` names each mode's limits crossed, judged
    against ``limits`` as in :func:`loads`.
    """
    default_levers, default_eccentrics = default_grid(design)
    lever = default_levers if lever is None else np.asarray(lever, dtype=float)
    eccentric = default_eccentrics if eccentric is None else np.asarray(eccentric, dtype=float)
    if grid:
        lever, eccentric = np.meshgrid(np.ravel(lever), np.ravel(eccentric), indexing="ij")
    levers, eccentrics = np.broadcast_arrays(np.asarray(lever, dtype=float), np.asarray(eccentric, dtype=float))
    columns = _torlin.mode_map(design._native, levers.ravel().tolist(), eccentrics.ravel().tolist(), speed, exact,
                               tdc, threads, loads, _load_numbers(parameters), rpm, dynamics, spring_masses,
                               loft_speeds, _limit_numbers(limits))
    return Table({name: (np.asarray(value, dtype=object) if isinstance(value, list) else value)
                  for name, value in columns.items()})


def target(design: Design, lift_mm: float, duration_deg: float, *, tdc: Optional[float] = None,
           threads: int = 0) -> Table:
    """The modes that reach a lift (mm) and a duration (crank degrees at 1 mm).

    As ``torlin-modes --target``: solved from the design's default map, one row per
    distinct mode, ``answer`` "reaches"; out of reach one row, the nearest mode, "nearest".
    """
    return Table(_one_mode(_torlin.target(design._native, lift_mm, duration_deg, tdc, threads)))


def _parameter_list() -> str:
    lines = []
    for field in _torlin.load_fields():
        needs = {"friction": " (with friction)", "dynamics": " (with dynamics=True)"}.get(field["layer"], "")
        lines.append(f"    {field['keyword']}: {field['help']} ({field['range']}){needs}")
    return "\n".join(lines)


def _model_notes() -> str:
    return "\n\n".join(f"{title}:\n    {text}" for title, text in _torlin.model_notes())


_LOAD_DOCS = ("\n\nLoad parameters (keyword arguments):\n" + _parameter_list() +
              "\n\nThe model's assumptions (the options named are torlin-modes', the keyword arguments above "
              "carry the same names):\n\n" + _model_notes() + "\n")
loads.__doc__ += _LOAD_DOCS
mode_map.__doc__ += _LOAD_DOCS

from .sweeps import sweep  # noqa: E402  (it builds on the functions above)
