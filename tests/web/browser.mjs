// A small driver of a headless Chromium through its DevTools protocol, spoken over the pipe
// the browser opens with --remote-debugging-pipe (file descriptors 3 and 4, messages ended by
// a NUL byte). No package beyond Node itself: the website's tests, its screenshots and its
// search benchmark drive the browser a reader uses.

import { spawn } from "node:child_process";
import { mkdtempSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";

export class Browser {
  static async launch(chromium) {
    const profile = mkdtempSync(join(tmpdir(), "qs-chromium-"));
    const args = [
      "--headless", "--remote-debugging-pipe", `--user-data-dir=${profile}`,
      "--no-first-run", "--no-default-browser-check", "--disable-gpu", "--disable-extensions",
      "--disable-background-networking", "--disable-sync", "--disable-component-update",
      "--hide-scrollbars", "--mute-audio", "--font-render-hinting=none", "about:blank",
    ];
    // Chromium's sandbox refuses to start as root; as anyone else it stays on.
    if (process.getuid && process.getuid() === 0) args.unshift("--no-sandbox");
    const child = spawn(chromium, args, { stdio: ["ignore", "ignore", "pipe", "pipe", "pipe"] });
    let stderr = "";
    child.stdio[2].on("data", (chunk) => { stderr = (stderr + chunk).slice(-4000); });
    const browser = new Browser(child, profile, () => stderr);
    await browser.send("Target.setDiscoverTargets", { discover: false });
    return browser;
  }

  constructor(child, profile, stderr) {
    this.child = child;
    this.profile = profile;
    this.stderr = stderr;
    this.nextId = 1;
    this.waiting = new Map();
    this.listeners = [];
    let buffer = Buffer.alloc(0);
    child.stdio[4].on("data", (chunk) => {
      buffer = Buffer.concat([buffer, chunk]);
      let end;
      while ((end = buffer.indexOf(0)) >= 0) {
        const message = JSON.parse(buffer.subarray(0, end).toString("utf8"));
        buffer = buffer.subarray(end + 1);
        this.receive(message);
      }
    });
    child.on("exit", (code) => {
      for (const { reject } of this.waiting.values()) {
        reject(new Error(`chromium ended (${code}): ${this.stderr()}`));
      }
      this.waiting.clear();
    });
  }

  receive(message) {
    if (message.id !== undefined) {
      const call = this.waiting.get(message.id);
      if (!call) return;
      this.waiting.delete(message.id);
      if (message.error) call.reject(new Error(`${call.method}: ${message.error.message}`));
      else call.resolve(message.result);
      return;
    }
    for (const listener of [...this.listeners]) listener(message);
  }

  send(method, params = {}, sessionId = undefined) {
    const id = this.nextId++;
    const message = { id, method, params };
    if (sessionId) message.sessionId = sessionId;
    return new Promise((resolve, reject) => {
      this.waiting.set(id, { resolve, reject, method });
      this.child.stdio[3].write(JSON.stringify(message) + "\0");
    });
  }

  // The next event `method` of the session for which `accept` holds.
  event(method, sessionId, accept = () => true, timeoutMs = 15000) {
    return new Promise((resolve, reject) => {
      const timer = setTimeout(() => {
        this.listeners = this.listeners.filter((l) => l !== listener);
        reject(new Error(`no ${method} within ${timeoutMs} ms`));
      }, timeoutMs);
      const listener = (message) => {
        if (message.method !== method || message.sessionId !== sessionId) return;
        if (!accept(message.params)) return;
        clearTimeout(timer);
        this.listeners = this.listeners.filter((l) => l !== listener);
        resolve(message.params);
      };
      this.listeners.push(listener);
    });
  }

  async newPage(width = 1280, height = 800) {
    const { targetId } = await this.send("Target.createTarget", { url: "about:blank" });
    const { sessionId } = await this.send("Target.attachToTarget", { targetId, flatten: true });
    const page = new Page(this, sessionId);
    await page.send("Page.enable");
    await page.send("Runtime.enable");
    await page.size(width, height);
    return page;
  }

  async close() {
    try {
      await Promise.race([this.send("Browser.close"), new Promise((r) => setTimeout(r, 3000))]);
    } catch {
      // already gone
    }
    if (this.child.exitCode === null) {
      const ended = new Promise((r) => this.child.once("exit", r));
      this.child.kill();
      await ended;
    }
    // The browser's helper processes may still be writing their last files into the profile.
    for (let attempt = 0; ; attempt++) {
      try {
        rmSync(this.profile, { recursive: true, force: true });
        break;
      } catch (error) {
        if (attempt === 20) throw error;
        await new Promise((r) => setTimeout(r, 250));
      }
    }
  }
}

export class Page {
  constructor(browser, sessionId) {
    this.browser = browser;
    this.sessionId = sessionId;
  }

  send(method, params = {}) {
    return this.browser.send(method, params, this.sessionId);
  }

  size(width, height, mobile = false) {
    return this.send("Emulation.setDeviceMetricsOverride",
                     { width, height, deviceScaleFactor: 1, mobile });
  }

  colorScheme(value) {
    return this.send("Emulation.setEmulatedMedia",
                     { features: [{ name: "prefers-color-scheme", value }] });
  }

  // Opens `url` and waits until it has loaded.
  async open(url) {
    const loaded = this.browser.event("Page.loadEventFired", this.sessionId);
    const { errorText } = await this.send("Page.navigate", { url });
    if (errorText) throw new Error(`${url}: ${errorText}`);
    await loaded;
  }

  // Runs `action` (which makes the page go elsewhere) and waits until the next page loaded.
  async following(action) {
    const loaded = this.browser.event("Page.loadEventFired", this.sessionId);
    await action();
    await loaded;
  }

  // The value of a JavaScript expression in the page (awaited when it is a promise).
  async eval(expression) {
    const { result, exceptionDetails } = await this.send("Runtime.evaluate", {
      expression, returnByValue: true, awaitPromise: true,
    });
    if (exceptionDetails) {
      throw new Error(`${expression}: ${exceptionDetails.exception?.description ??
                                         exceptionDetails.text}`);
    }
    return result.value;
  }

  // Waits until the expression is true.
  async until(expression, timeoutMs = 10000) {
    const end = Date.now() + timeoutMs;
    while (Date.now() < end) {
      if (await this.eval(expression)) return;
      await new Promise((r) => setTimeout(r, 20));
    }
    throw new Error(`not within ${timeoutMs} ms: ${expression}`);
  }

  // A click of the mouse in the middle of the element `selector` finds, as a reader clicks.
  async click(selector) {
    const box = await this.eval(`(() => {
      const e = document.querySelector(${JSON.stringify(selector)});
      if (!e) return null;
      e.scrollIntoView({ block: "center" });
      const r = e.getBoundingClientRect();
      return { x: r.left + r.width / 2, y: r.top + r.height / 2 };
    })()`);
    if (!box) throw new Error(`nothing to click: ${selector}`);
    for (const type of ["mousePressed", "mouseReleased"]) {
      await this.send("Input.dispatchMouseEvent",
                      { type, x: box.x, y: box.y, button: "left", clickCount: 1 });
    }
  }

  // A key pressed and let go: "Tab", "Enter", "ArrowDown", "Escape", or a character.
  async key(key, modifiers = 0) {
    const named = {
      Tab: [9, "Tab"], Enter: [13, "Enter"], Escape: [27, "Escape"], ArrowDown: [40, "ArrowDown"],
      ArrowUp: [38, "ArrowUp"],
    };
    const [code, name] = named[key] ?? [key.toUpperCase().charCodeAt(0), key];
    const text = named[key] ? (key === "Enter" ? "\r" : "") : key;
    await this.send("Input.dispatchKeyEvent", {
      type: text ? "keyDown" : "rawKeyDown", key: name, windowsVirtualKeyCode: code, text,
      modifiers,
    });
    await this.send("Input.dispatchKeyEvent",
                    { type: "keyUp", key: name, windowsVirtualKeyCode: code, modifiers });
  }

  // Text typed into the focused field.
  type(text) {
    return this.send("Input.insertText", { text });
  }

  async screenshot() {
    const { data } = await this.send("Page.captureScreenshot", { format: "png" });
    return Buffer.from(data, "base64");
  }
}
