// The page's side of Torlin: the ten controls, the queue of what the person does,
// the turns the program yields to the browser, and the picture. The program
// (torlin.js) calls TorlinPage while it runs; the page resumes the program at each
// turn and hands it the queued events then.
"use strict";

const TorlinPage = (() => {
  // The facts shared with the program (sizes, the numbers of events, turns, control
  // kinds, the order of scroll bars and mode buttons, a report's layout, the Escape
  // key's code) come from it before anything else: TorlinPage.share(constants).
  let shared = null;
  let Event = null;

  const frame = document.getElementById("frame");
  const client = document.getElementById("client");
  const surface = document.getElementById("surface");
  const context = surface.getContext("2d", {alpha: false});
  const controls = {};
  const ratio = window.devicePixelRatio || 1;

  const events = [];
  let eventArrived = null;
  let ended = false;
  let tabIndex = 0;

  // Figures for tests and measurements.
  const reportFrames = new URLSearchParams(location.search).has("reports");
  const stats = {
    frames: 0,            // completed frames
    turns: 0,             // turns the program yielded to the browser: yields, frames, events
    presents: 0,          // copies of the picture to the page
    firstPictureAt: null, // ms after navigation start
    frameWork: [],        // ms of program work per paced frame, the last 1000
    nonNumbers: 0,        // frame reports with a number that is not one
    nonFiniteShapes: 0,   // shapes the surface skipped for a coordinate that is not a number
    reports: reportFrames ? [] : null,
  };
  let workThisFrame = 0;
  let skippedShapesAt = 0;  // in a frame's numbers: the report comes before it
  let image = null;         // the program's pixels as an image, and where they lie
  let imageAt = 0;

  // ---- The queue of events, handed to the program at its turns.
  function queue(kind, x = 0, y = 0) {
    if (ended) return;
    const last = events[events.length - 1];
    if (kind === Event.FormMouseMove && last && last.kind === kind) {
      last.x = x;  // only the latest position of a run of moves matters
      last.y = y;
    } else {
      events.push({kind, x, y});
    }
    if (eventArrived) {
      const wake = eventArrived;
      eventArrived = null;
      wake();
    }
  }

  // ---- The program's turns: it runs until it yields a turn; the page gives the turn
  // (the browser's own events and rendering, the frame's deadline, or the person's next
  // event), hands the queued events to the program, and resumes it.
  const channel = new MessageChannel();
  channel.port1.onmessage = () => resume();

  function timed(work) {
    const started = performance.now();
    const result = work();
    workThisFrame += performance.now() - started;
    return result;
  }

  function resume() {
    if (ended) return;
    const turn = timed(() => {
      while (events.length && !ended) {
        const event = events.shift();
        if (!Module._torlin_event(event.kind, event.x, event.y)) return -1;
      }
      return Module._torlin_resume();
    });
    if (turn < 0 || ended) return;
    ++stats.turns;
    if (turn === shared.turns.Plain) channel.port2.postMessage(0);
    else if (turn === shared.turns.FramePacing) waitForFrame(Module._torlin_deadline());
    else waitForEvent();
  }

  // Resumes at the first animation frame at or after the deadline (ms on the page's
  // clock); when none comes just after the deadline (a busy machine, a hidden page) a
  // timer resumes, so the frames keep their pace.
  function waitForFrame(deadline) {
    stats.frameWork.push(workThisFrame);
    if (stats.frameWork.length > 1000) stats.frameWork.shift();
    workThisFrame = 0;
    let done = false;
    const finish = () => {
      if (done) return;
      done = true;
      clearTimeout(timer);
      resume();
    };
    const onFrame = () => {
      if (performance.now() >= deadline - 2) finish();
      else if (!done) requestAnimationFrame(onFrame);
    };
    requestAnimationFrame(onFrame);
    const timer = setTimeout(finish, Math.max(0, deadline - performance.now()) + 4);
  }

  // Sleeps until the person does something.
  function waitForEvent() {
    if (events.length) channel.port2.postMessage(0);
    else eventArrived = () => channel.port2.postMessage(0);
  }

  // ---- Scroll bars: arrows step by the arrow step, the trough by the page step, the thumb drags.
  class ScrollBar {
    constructor(design, element) {
      Object.assign(this, {min: design.min, max: design.max, value: design.value,
                           arrowStep: design.arrowStep, pageStep: design.pageStep});
      this.vertical = design.kind === shared.kinds.VerticalScrollBar;
      this.element = element;
      this.length = this.vertical ? design.height : design.width;
      this.thickness = this.vertical ? design.width : design.height;
      element.classList.add("scrollbar", this.vertical ? "vertical" : "horizontal");
      element.setAttribute("aria-orientation", this.vertical ? "vertical" : "horizontal");
      element.setAttribute("aria-valuemin", String(this.min));
      element.setAttribute("aria-valuemax", String(this.max));
      this.less = this.part("arrow less", 0, this.thickness);
      this.more = this.part("arrow more", this.length - this.thickness, this.thickness);
      this.thumb = this.part("thumb", 0, 0);
      this.repeat = null;
      this.listen();
      this.place();
    }

    part(className, at, size) {
      const part = document.createElement("div");
      part.className = className;
      this.element.appendChild(part);
      this.setSpan(part, at, size);
      return part;
    }

    setSpan(part, at, size) {
      const inner = this.thickness - 2;  // inside the bar's border
      if (this.vertical) Object.assign(part.style, {left: "0px", width: `${inner}px`, top: `${at - 1}px`, height: `${size}px`});
      else Object.assign(part.style, {top: "0px", height: `${inner}px`, left: `${at - 1}px`, width: `${size}px`});
    }

    get trough() { return this.length - 2 * this.thickness; }
    get thumbLength() {
      const range = this.max - this.min;
      return Math.max(16, Math.min(this.trough, Math.round(this.pageStep * this.trough / (range + this.pageStep))));
    }
    get thumbAt() {
      const range = this.max - this.min;
      const travel = this.trough - this.thumbLength;
      return this.thickness + (range > 0 ? Math.round((this.value - this.min) * travel / range) : 0);
    }

    place() {
      this.setSpan(this.thumb, this.thumbAt, this.thumbLength);
      this.element.setAttribute("aria-valuenow", String(this.value));
    }

    setValue(value) {
      const clamped = Math.min(this.max, Math.max(this.min, Math.round(Number(value) || 0)));
      if (clamped === this.value) return;
      this.value = clamped;
      this.place();
    }

    step(by) { if (!ended) this.setValue(this.value + by); }

    // The pointer's position along the bar, in its own pixels.
    along(event) {
      const box = this.element.getBoundingClientRect();
      const scale = this.vertical ? box.height / this.length : box.width / this.length;
      return ((this.vertical ? event.clientY - box.top : event.clientX - box.left) / scale);
    }

    stopRepeat() {
      clearTimeout(this.repeat);
      this.repeat = null;
    }

    // Steps once, then again after a short delay and on and on while the button is held.
    startRepeat(stepOnce) {
      this.stopRepeat();
      if (!stepOnce()) return;
      const again = (delay) => {
        this.repeat = setTimeout(() => { if (stepOnce()) again(50); }, delay);
      };
      again(300);
    }

    listen() {
      const e = this.element;
      e.addEventListener("pointerdown", (event) => {
        if (event.button !== 0 || ended) return;
        event.preventDefault();
        e.focus();
        e.setPointerCapture(event.pointerId);
        const at = this.along(event);
        if (event.target === this.less) {
          this.startRepeat(() => { this.step(-this.arrowStep); return true; });
        } else if (event.target === this.more) {
          this.startRepeat(() => { this.step(this.arrowStep); return true; });
        } else if (event.target === this.thumb) {
          this.grab = at - this.thumbAt;
        } else {
          const towards = at < this.thumbAt ? -1 : 1;
          this.startRepeat(() => {
            const pointer = this.pointerAt ?? at;
            const beyond = towards < 0 ? pointer < this.thumbAt : pointer >= this.thumbAt + this.thumbLength;
            if (beyond) this.step(towards * this.pageStep);
            return beyond;
          });
        }
        this.pointerAt = at;
      });
      e.addEventListener("pointermove", (event) => {
        if (!e.hasPointerCapture(event.pointerId)) return;
        this.pointerAt = this.along(event);
        if (this.grab === undefined) return;
        const travel = this.trough - this.thumbLength;
        if (travel <= 0) return;
        const offset = this.pointerAt - this.grab - this.thickness;
        this.setValue(this.min + (offset * (this.max - this.min)) / travel);
      });
      const release = () => {
        this.stopRepeat();
        this.grab = undefined;
        this.pointerAt = undefined;
      };
      e.addEventListener("pointerup", release);
      e.addEventListener("pointercancel", release);
      e.addEventListener("lostpointercapture", release);
      e.addEventListener("keydown", (event) => {
        const steps = {
          ArrowUp: -this.arrowStep, ArrowLeft: -this.arrowStep, ArrowDown: this.arrowStep,
          ArrowRight: this.arrowStep, PageUp: -this.pageStep, PageDown: this.pageStep,
        };
        if (event.key in steps) this.step(steps[event.key]);
        else if (event.key === "Home") this.setValue(this.min);
        else if (event.key === "End") this.setValue(this.max);
        else return;
        event.preventDefault();
      });
      e.addEventListener("wheel", (event) => {
        event.preventDefault();
        if (event.deltaY !== 0) this.step(Math.sign(event.deltaY) * 3 * this.arrowStep);
      }, {passive: false});
    }
  }

  function colour(rgb) { return `rgb(${(rgb >> 16) & 255}, ${(rgb >> 8) & 255}, ${rgb & 255})`; }

  // Pixels of the client area under the pointer, whatever the page's scale.
  function clientPoint(event) {
    const box = surface.getBoundingClientRect();
    return [(event.clientX - box.left) * shared.clientWidth / box.width,
            (event.clientY - box.top) * shared.clientHeight / box.height];
  }

  // A click counts once the button is released; the second click of a double-click
  // is the double-click.
  function onClicks(element, click, doubleClick) {
    if (click !== null) element.addEventListener("click", (event) => { if (event.button === 0 && event.detail <= 1) queue(click); });
    element.addEventListener("dblclick", (event) => { if (event.button === 0) queue(doubleClick); });
  }

  // index.html?lever=L&eccentric=E starts the two control shafts' bars at those whole
  // values (the Explorer links here so); without them the page starts as designed.
  const kStartParameters = {VScroll1: "lever", VScroll2: "eccentric"};
  function startValue(design) {
    const text = new URLSearchParams(location.search).get(kStartParameters[design.name]);
    if (text === null || !/^\s*-?\d+(\.\d+)?\s*$/.test(text)) return design.value;
    return Math.min(design.max, Math.max(design.min, Math.round(Number(text))));
  }

  function addControl(designed) {
    const design = {...designed, value: startValue(designed)};
    const Kind = shared.kinds;
    const isButton = design.kind === Kind.StandardButton || design.kind === Kind.ColouredButton;
    const element = document.createElement(isButton ? "button" : "div");
    element.id = design.name;
    element.className = "control";
    Object.assign(element.style, {
      left: `${design.left}px`, top: `${design.top}px`, width: `${design.width}px`, height: `${design.height}px`,
    });
    if (design.pointSize > 0) element.style.fontSize = `${(design.pointSize * 96) / 72}px`;
    element.setAttribute("aria-label", design.accessibleName);
    element.setAttribute("aria-description", design.description);
    if (design.tip) element.title = design.tip;
    if (isButton) {
      element.type = "button";
      element.textContent = design.caption;
      element.addEventListener("click", () => queue(Event[design.name + "Click"]));
      if (design.kind === Kind.ColouredButton) {
        element.classList.add("coloured");
        element.style.setProperty("--face", colour(design.background));
      }
    } else if (design.kind === Kind.Label) {
      element.classList.add("label");
      element.textContent = design.name;  // the design-time caption, replaced at start
      element.style.background = colour(design.background);
      element.style.color = colour(design.foreground);
      if (design.name === "Label1") onClicks(element, null, Event.Label1DblClick);
      else onClicks(element, Event.Label2Click, Event.Label2DblClick);
    } else {
      element.setAttribute("role", "scrollbar");
      controls[design.name + "Bar"] = new ScrollBar(design, element);
    }
    if (design.kind !== Kind.Label) element.tabIndex = ++tabIndex;  // the designs come in tab order
    controls[design.name] = element;
    client.appendChild(element);
  }

  // ---- The window surface's own events.
  function listenToSurface() {
    onClicks(surface, Event.FormClick, Event.FormDblClick);
    surface.addEventListener("pointermove", (event) => queue(Event.FormMouseMove, ...clientPoint(event)));
    document.addEventListener("keydown", (event) => {
      if (event.key === "Escape") {
        event.preventDefault();
        queue(Event.FormKeyPress, shared.escapeKey);
      }
    });
  }

  // ---- The focus ring shows while the keyboard is in use, as in the window: a key
  // brings it, a press of the pointer hides it.
  document.addEventListener("keydown", () => client.classList.add("keyboard"), true);
  document.addEventListener("pointerdown", () => client.classList.remove("keyboard"), true);

  // ---- The client area at its designed size, scaled down to fit a smaller viewport.
  // Scaled down, it leaves a line below it for the way to the Explorer, which it
  // would otherwise cover; on a narrow (phone) screen the Explorer comes first, and
  // the client area takes the width, the page scrolling if it must.
  const narrowScreen = window.matchMedia("(max-width: 599px)");
  function fit() {
    const {clientWidth, clientHeight} = shared;
    const narrow = narrowScreen.matches;
    const fits = (reserved) => Math.min(1, window.innerWidth / clientWidth, (window.innerHeight - reserved) / clientHeight);
    const below = !narrow && fits(0) < 1;
    document.body.classList.toggle("link-below", below);
    const link = document.getElementById("explorer-link");
    const scale = narrow ? Math.min(1, window.innerWidth / clientWidth) : fits(below ? link.offsetHeight + 4 : 0);
    client.style.transform = scale < 1 ? `scale(${scale})` : "";
    client.classList.toggle("scaled", scale < 1);
    frame.style.width = `${clientWidth * scale}px`;
    frame.style.height = `${clientHeight * scale}px`;
  }

  // The program's facts, before it lays out its controls.
  function share(constants) {
    shared = constants;
    Event = constants.events;
    skippedShapesAt = shared.report.indexOf("nonFiniteShapes");
    surface.width = Math.round(shared.clientWidth * ratio);
    surface.height = Math.round(shared.clientHeight * ratio);
    listenToSurface();
    window.addEventListener("resize", fit);
    narrowScreen.addEventListener("change", fit);
    fit();
  }

  return {
    stats,
    devicePixelRatio: () => ratio,
    share,
    addControl,
    // The program has started up: its loop runs from now on, turn by turn.
    start() { channel.port2.postMessage(0); },
    bar: (index) => controls[shared.bars[index] + "Bar"],
    setText(name, text) { controls[name].textContent = text; },
    setFace(index, r, g, b) { controls[shared.faces[index]].style.setProperty("--face", `rgb(${r}, ${g}, ${b})`); },

    // The parts of the picture drawn on since the last call, as rectangles x, y, w, h.
    present(pixels, width, height, rects) {
      // The image over the program's pixels is made again only when its memory moved.
      if (!image || image.data.buffer !== pixels.buffer || imageAt !== pixels.byteOffset || image.width !== width || image.height !== height) {
        image = new ImageData(new Uint8ClampedArray(pixels.buffer, pixels.byteOffset, width * height * 4), width, height);
        imageAt = pixels.byteOffset;
      }
      for (let i = 0; i < rects.length; i += 4) context.putImageData(image, 0, 0, rects[i], rects[i + 1], rects[i + 2], rects[i + 3]);
      ++stats.presents;
      if (stats.firstPictureAt === null) stats.firstPictureAt = performance.now();
    },

    frameCompleted(numbers) {
      ++stats.frames;
      const last = skippedShapesAt;
      stats.nonFiniteShapes = numbers[last];
      for (let i = 0; i < last; ++i) {
        if (Number.isNaN(numbers[i])) {
          ++stats.nonNumbers;
          break;
        }
      }
      if (stats.reports) stats.reports.push(Array.from(numbers.subarray(0, last)));
    },

    // The program could not run (no WebAssembly, a file missing): say so in one line.
    fail(reason) {
      this.end();
      document.getElementById("ended").textContent = `Torlin could not start in this browser: ${reason}`;
    },

    end() {
      ended = true;
      events.length = 0;
      for (const name of shared?.bars ?? []) controls[name + "Bar"]?.stopRepeat();
      client.classList.add("ended");
      document.getElementById("ended").hidden = false;
      if (document.activeElement instanceof HTMLElement) document.activeElement.blur();
    },
  };
})();

// The program's loader reports here when it cannot start.
var Module = {onAbort: (reason) => TorlinPage.fail(String(reason))};
