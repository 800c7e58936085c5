// The page's server answers requests for the built files and nothing else.
import { test } from "node:test";
import assert from "node:assert/strict";
import { request } from "node:http";
import { kBuilt } from "./browser.mjs";
import { serve } from "../serve.mjs";

// The status and type of a raw request path, sent as is.
function get(port, path) {
  return new Promise((done, fail) => {
    const r = request({host: "127.0.0.1", port, path, method: "GET"}, (response) => {
      response.resume();
      done([response.statusCode, response.headers["content-type"]]);
    });
    r.on("error", fail);
    r.end();
  });
}

test("serves the page's files with their types, and nothing outside its folder", async () => {
  const server = await serve(kBuilt, 0);
  const {port} = server.address();
  try {
    assert.deepEqual(await get(port, "/"), [200, "text/html; charset=utf-8"]);
    assert.deepEqual(await get(port, "/torlin.wasm"), [200, "application/wasm"]);
    assert.deepEqual(await get(port, "/fonts/LiberationSans-Bold.ttf"), [200, "font/ttf"]);
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
