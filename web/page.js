// The page's side of Torlin: the ten controls, the queue of what the person does,
// the turns the program gives the browser, and the picture. The program (torlin.js)
// calls TorlinPage; it never calls the program back while the program waits.
"use strict";

const TorlinPage = (() => {
  const kClientWidth = 960;
  const kClientHeight = 662;

  // Event numbers shared with the program.
  const Event = {
    FormClick: 1, FormDblClick: 2, FormMouseMove: 3, KeyPress: 4, Label1DblClick: 5,
    Label2Click: 6, Label2DblClick: 7, Command1Click: 8, Command2Click: 9, Command3Click: 10,
    Command4Click: 11, Command5Click: 12,
  };
  const Kind = {VerticalScrollBar: 0, HorizontalScrollBar: 1, StandardButton: 2, ColouredButton: 3, Label: 4};
  const barOrder = ["VScroll1", "VScroll2", "HScroll1"];
  const faceOrder = ["Command3", "Command4", "Command5"];
  const clickEvents = {
    Command1: Event.Command1Click, Command2: Event.Command2Click, Command3: Event.Command3Click,
    Command4: Event.Command4Click, Command5: Event.Command5Click,
  };

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
    turns: 0,             // waits of the program for the browser: yields, frames, events
    presents: 0,          // copies of the picture to the page
    firstPictureAt: null, // ms after navigation start
    frameWork: [],        // ms of program work per paced frame, the last 1000
    nonNumbers: 0,        // frame reports with a number that is not one
    nonFiniteShapes: 0,   // shapes the surface skipped for a coordinate that is not a number
    reports: reportFrames ? [] : null,
  };
  let workStartedAt = performance.now();
  let workThisFrame = 0;

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

  // ---- Work accounting: the program works between the end of one wait and the start of the next.
  function pauseWork() { workThisFrame += performance.now() - workStartedAt; }
  function resumeWork() { workStartedAt = performance.now(); }
  function waiting(promise) {
    ++stats.turns;
    pauseWork();
    return promise.then(resumeWork);
  }

  const channel = new MessageChannel();
  let yielded = null;
  channel.port1.onmessage = () => {
    const done = yielded;
    yielded = null;
    if (done) done();
  };

  // ---- Scroll bars: arrows step by the arrow step, the trough by the page step, the thumb drags.
  class ScrollBar {
    constructor(design, element) {
      Object.assign(this, {min: design.min, max: design.max, value: design.value,
                           arrowStep: design.arrowStep, pageStep: design.pageStep});
      this.vertical = design.kind === Kind.VerticalScrollBar;
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
    return [(event.clientX - box.left) * kClientWidth / box.width,
            (event.clientY - box.top) * kClientHeight / box.height];
  }

  // A click counts once the button is released; the second click of a double-click
  // is the double-click.
  function onClicks(element, click, doubleClick) {
    if (click) element.addEventListener("click", (event) => { if (event.button === 0 && event.detail <= 1) queue(click); });
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
      element.addEventListener("click", () => queue(clickEvents[design.name]));
      if (design.kind === Kind.ColouredButton) {
        element.classList.add("coloured");
        element.style.setProperty("--face", colour(design.background));
      }
    } else if (design.kind === Kind.Label) {
      element.classList.add("label");
      element.textContent = design.name;  // the design-time caption, replaced at start
      element.style.background = colour(design.background);
      element.style.color = colour(design.foreground);
      if (design.name === "Label1") onClicks(element, 0, Event.Label1DblClick);
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
  onClicks(surface, Event.FormClick, Event.FormDblClick);
  surface.addEventListener("pointermove", (event) => queue(Event.FormMouseMove, ...clientPoint(event)));
  document.addEventListener("keydown", (event) => {
    if (event.key === "Escape") {
      event.preventDefault();
      queue(Event.KeyPress, 27);
    }
  });

  // ---- The focus ring shows while the keyboard is in use, as in the window: a key
  // brings it, a press of the pointer hides it.
  document.addEventListener("keydown", () => client.classList.add("keyboard"), true);
  document.addEventListener("pointerdown", () => client.classList.remove("keyboard"), true);

  // ---- The client area at its designed size, scaled down to fit a smaller viewport.
  surface.width = Math.round(kClientWidth * ratio);
  surface.height = Math.round(kClientHeight * ratio);
  function fit() {
    const scale = Math.min(1, window.innerWidth / kClientWidth, window.innerHeight / kClientHeight);
    client.style.transform = scale < 1 ? `scale(${scale})` : "";
    client.classList.toggle("scaled", scale < 1);
    frame.style.width = `${kClientWidth * scale}px`;
    frame.style.height = `${kClientHeight * scale}px`;
  }
  window.addEventListener("resize", fit);
  fit();

  return {
    stats,
    devicePixelRatio: () => ratio,
    addControl,
    bar: (index) => controls[barOrder[index] + "Bar"],
    setText(name, text) { controls[name].textContent = text; },
    setFace(index, r, g, b) { controls[faceOrder[index]].style.setProperty("--face", `rgb(${r}, ${g}, ${b})`); },

    // The parts of the picture drawn on since the last call, as rectangles x, y, w, h.
    present(pixels, width, height, rects) {
      const image = new ImageData(new Uint8ClampedArray(pixels.buffer, pixels.byteOffset, width * height * 4), width, height);
      for (let i = 0; i < rects.length; i += 4) context.putImageData(image, 0, 0, rects[i], rects[i + 1], rects[i + 2], rects[i + 3]);
      ++stats.presents;
      if (stats.firstPictureAt === null) stats.firstPictureAt = performance.now();
    },

    takeEvent: () => events.shift(),

    frameCompleted(numbers) {
      ++stats.frames;
      stats.nonFiniteShapes = numbers[9];
      const report = Array.from(numbers.subarray(0, 9));
      if (report.some(Number.isNaN)) ++stats.nonNumbers;
      if (stats.reports) stats.reports.push(report);
    },

    // A turn for the browser: its pending events and rendering, then back at once.
    yieldToBrowser() {
      return waiting(new Promise((resolve) => {
        yielded = resolve;
        channel.port2.postMessage(0);
      }));
    },

    // Waits for the first animation frame at or after the deadline (ms on the page's
    // clock); when none comes just after the deadline (a busy machine, a hidden page)
    // a timer ends the wait, so the frames keep their pace.
    waitForFrame(deadline) {
      stats.frameWork.push(workThisFrame + (performance.now() - workStartedAt));
      if (stats.frameWork.length > 1000) stats.frameWork.shift();
      workThisFrame = 0;
      workStartedAt = performance.now();
      return waiting(new Promise((resolve) => {
        let done = false;
        const finish = () => {
          if (done) return;
          done = true;
          clearTimeout(timer);
          resolve();
        };
        const onFrame = () => {
          if (performance.now() >= deadline - 2) finish();
          else if (!done) requestAnimationFrame(onFrame);
        };
        requestAnimationFrame(onFrame);
        const timer = setTimeout(finish, Math.max(0, deadline - performance.now()) + 4);
      }));
    },

    // Sleeps until the person does something.
    waitForEvent() {
      return waiting(new Promise((resolve) => {
        if (events.length) resolve();
        else eventArrived = resolve;
      }));
    },

    // The program could not run (no WebAssembly, a file missing): say so in one line.
    fail(reason) {
      this.end();
      document.getElementById("ended").textContent = `Torlin could not start in this browser: ${reason}`;
    },

    end() {
      ended = true;
      events.length = 0;
      for (const name of barOrder) controls[name + "Bar"]?.stopRepeat();
      client.classList.add("ended");
      document.getElementById("ended").hidden = false;
      if (document.activeElement instanceof HTMLElement) document.activeElement.blur();
    },
  };
})();

// The program's loader reports here when it cannot start.
var Module = {onAbort: (reason) => TorlinPage.fail(String(reason))};
