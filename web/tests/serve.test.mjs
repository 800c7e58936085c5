// The page's server answers requests for the built files and nothing else.
import { test } from "node:test";
import assert from "node:assert/strict";
import { request } from "node:http";
import { connect } from "node:net";
import { spawnSync } from "node:child_process";
import { mkdtemp, mkdir, rm, symlink, writeFile } from "node:fs/promises";
import { tmpdir } from "node:os";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";
import { kBuilt } from "./browser.mjs";
import { serve } from "../serve.mjs";

// The status and type of a raw request path, sent as is.
function get(port, path, method = "GET", header = "allow") {
  return new Promise((done, fail) => {
    const answer = (response) => done([response.statusCode, response.headers["content-type"], response.headers[header]]);
    const r = request({host: "127.0.0.1", port, path, method}, (response) => {
      response.resume();
      answer(response);
    });
    r.on("connect", (response, socket) => {  // the answer to a CONNECT
      socket.destroy();
      answer(response);
    });
    r.on("error", fail);
    r.end();
  });
}

test("serves the page's files with their types, and nothing outside its folder", async () => {
  const server = await serve(kBuilt, 0);
  const {port} = server.address();
  try {
    assert.deepEqual(await get(port, "/"), [200, "text/html; charset=utf-8", undefined]);
    assert.deepEqual(await get(port, "/torlin.wasm"), [200, "application/wasm", undefined]);
    assert.deepEqual(await get(port, "/fonts/LiberationSans-Bold.ttf"), [200, "font/ttf", undefined]);
    assert.equal((await get(port, "/missing.js"))[0], 404);
    assert.equal((await get(port, "/%E0%A4%A"))[0], 400);
    // The build folder beside the served one holds real files: none of them is served.
    for (const path of ["/fonts/..%2f..%2fweb-build%2fbuild.ninja", "/..%2fweb-build/build.ninja", "/a%00b"]) {
      assert.equal((await get(port, path))[0], 403, path);
    }
    for (const path of ["/../web-build/build.ninja", "/%2e%2e/web-build/build.ninja"]) {
      assert.equal((await get(port, path))[0], 404, `${path}: the URL's own dot segments stay inside`);
    }
    await assert.rejects(serve(kBuilt, port), /EADDRINUSE/);
  } finally {
    await new Promise((done) => server.close(done));
  }
});

test("only reads: every method but GET and HEAD is refused", async () => {
  const server = await serve(kBuilt, 0);
  const {port} = server.address();
  try {
    assert.equal((await get(port, "/", "HEAD"))[0], 200);
    for (const method of ["POST", "PUT", "DELETE", "TRACE", "PATCH", "OPTIONS", "CONNECT"]) {
      const [status, , allow] = await get(port, method === "CONNECT" ? "127.0.0.1:1" : "/", method);
      assert.deepEqual([status, allow], [405, "GET, HEAD"], method);
    }
  } finally {
    await new Promise((done) => server.close(done));
  }
});

test("a symbolic link that leads out of the folder is refused; one within it is served", async () => {
  const scratch = await mkdtemp(join(tmpdir(), "torlin-serve-"));
  const served = join(scratch, "site");
  await mkdir(served);
  await writeFile(join(scratch, "secret.txt"), "outside\n");
  await writeFile(join(served, "page.html"), "<p>inside</p>\n");
  await symlink(join(scratch, "secret.txt"), join(served, "secret.txt"));
  await symlink(scratch, join(served, "up"));
  await symlink(join(served, "page.html"), join(served, "same.html"));
  const server = await serve(served, 0);
  const {port} = server.address();
  try {
    assert.equal((await get(port, "/page.html"))[0], 200);
    assert.equal((await get(port, "/same.html"))[0], 200);
    assert.equal((await get(port, "/secret.txt"))[0], 403);
    assert.equal((await get(port, "/up/secret.txt"))[0], 403);
  } finally {
    await new Promise((done) => server.close(done));
    await rm(scratch, {recursive: true, force: true});
  }
});

test("run with a wrong command line, the server says what is wrong in one line", () => {
  const script = join(dirname(fileURLToPath(import.meta.url)), "..", "serve.mjs");
  const run = (...args) => spawnSync(process.execPath, [script, ...args], {encoding: "utf8", timeout: 10000});
  for (const [args, message] of [
    [[], "torlin web: no folder to serve given; usage: node web/serve.mjs DIRECTORY [PORT]\n"],
    [["/nonexistent-torlin"], 'torlin web: cannot serve "/nonexistent-torlin": no such folder\n'],
    [[kBuilt, "80a"], 'torlin web: the port must be a whole number from 0 to 65535, not "80a"\n'],
  ]) {
    const result = run(...args);
    assert.deepEqual([result.status, result.stdout, result.stderr], [2, "", message], args.join(" "));
  }
});

// A folder of its own to serve, with what a careless folder may hold.
async function scratchSite() {
  const scratch = await mkdtemp(join(tmpdir(), "torlin-serve-"));
  const served = join(scratch, "site");
  await mkdir(join(served, "docs"), {recursive: true});
  await mkdir(join(served, ".git"));
  await writeFile(join(served, "docs", "index.html"), "<p>docs</p>\n");
  await writeFile(join(served, ".env"), "SECRET=1\n");
  await writeFile(join(served, ".git", "config"), "[core]\n");
  // Large enough that reading it whole per request would show; streamed it is sent as is.
  const big = Buffer.alloc(24 << 20, 7);
  await writeFile(join(served, "big.wasm"), big);
  if (spawnSync("mkfifo", [join(served, "pipe.js")]).status !== 0) throw new Error("mkfifo failed");
  return {scratch, served, big, remove: () => rm(scratch, {recursive: true, force: true})};
}

test("regular files only, streamed whole; a pipe, a folder's index that is missing and dotfiles are not found", {timeout: 20000}, async () => {
  const site = await scratchSite();
  const server = await serve(site.served, 0);
  const {port} = server.address();
  try {
    // Four requests to a named pipe (which a blocking read would wait on for ever),
    // and the server still answers everyone at once.
    const pipes = await Promise.all([1, 2, 3, 4].map(() => get(port, "/pipe.js")));
    assert.deepEqual(pipes.map(([status]) => status), [404, 404, 404, 404]);
    assert.equal((await get(port, "/docs/"))[0], 200);
    assert.equal((await get(port, "/docs/index.html"))[0], 200);
    for (const path of ["/.env", "/.git/config", "/.git/", "/docs/.hidden", "/%2eenv"]) {
      assert.equal((await get(port, path))[0], 404, path);
    }
    const body = await new Promise((done, fail) => {
      request({host: "127.0.0.1", port, path: "/big.wasm"}, (response) => {
        const chunks = [];
        response.on("data", (chunk) => chunks.push(chunk));
        response.on("end", () => done({length: Number(response.headers["content-length"]), bytes: Buffer.concat(chunks)}));
      }).on("error", fail).end();
    });
    assert.equal(body.length, site.big.length);
    assert.ok(body.bytes.equals(site.big));
    assert.deepEqual(await get(port, "/big.wasm", "HEAD", "content-length"), [200, "application/wasm", String(site.big.length)]);
  } finally {
    await new Promise((done) => server.close(done));
    await site.remove();
  }
});

test("a folder's address without its final slash is sent on to the one with it, query and all", async () => {
  const site = await scratchSite();
  const server = await serve(site.served, 0);
  const {port} = server.address();
  try {
    assert.deepEqual(await get(port, "/docs?x=1", "GET", "location"), [301, "text/plain", "/docs/?x=1"]);
    assert.equal((await get(port, "/.git", "GET", "location"))[0], 404);
  } finally {
    await new Promise((done) => server.close(done));
    await site.remove();
  }
});

test("a request whose body trickles in is cut off once its time is up", async () => {
  const server = await serve(kBuilt, 0, "127.0.0.1", {requestTimeoutMs: 600});
  const {port} = server.address();
  const started = Date.now();
  try {
    const closedAfter = await new Promise((done, fail) => {
      const socket = connect(port, "127.0.0.1", () => {
        socket.write("GET /index.html HTTP/1.1\r\nHost: x\r\nContent-Length: 100000\r\n\r\n");
        const drip = setInterval(() => socket.write("x"), 50);
        socket.on("close", () => { clearInterval(drip); done(Date.now() - started); });
      });
      socket.on("error", () => {});
      socket.setTimeout(10000, () => fail(new Error("the server kept the trickling request")));
      socket.resume();
    });
    assert.ok(closedAfter >= 500 && closedAfter < 5000, `closed after ${closedAfter} ms`);
    // Meanwhile and after, others are served.
    assert.equal((await get(port, "/"))[0], 200);
  } finally {
    await new Promise((done) => server.close(done));
  }
});
