// Page side of HtmlView (HtmlView.cpp). Injected into every document of a view when the
// document is created (main world, main frame), before any script of the page runs.
//
// 1. Navigation capture: every navigation the page starts is reported to the program with
//    the address exactly as the page wrote it, and the page's own navigation is stopped;
//    the program decides and, when it lets the navigation go on, carries it out itself.
//    - links: a click (after the page's own handlers, unless one of them cancelled it)
//      on the nearest a[href] / area[href] reports getAttribute('href');
//    - forms: a submit event (same rule) reports the raw action attribute;
//    - `window.location = 'X'` (and window.location.href = / assign / replace, and the
//      same through self, top, parent, or a bare `location`) inside inline event
//      handlers: such handlers look names up on the element, its form and the document
//      before the global object, so a property `window` defined on the document (and
//      `location` on Node.prototype) gives them a stand-in window (location) that
//      reports the raw text instead of navigating.
//    Reports go out as console messages with a prefix of their own.
//    - not caught here (the program gets them from the engine, with its lossy address):
//      assignments in scripts of the page outside inline handlers (a function of a
//      <script>, a top-level <script>, a javascript: link), handlers of the window's
//      events written on <body> (onload ...: the engine compiles them without the
//      element's scope), form.submit(), history navigation.
// 2. No text selection (outside text fields).
// 3. A registry of element handles bound to a random token of this document, and the
//    calls the program makes: __pvx.c (element operation), item, markup, check, ev.
//    Every call answers [code, value]: 0 ok, 1 stale handle, 2 script error (message),
//    3 not an HTML document, 9 runtime missing (the program then injects it).
(function () {
  'use strict';
  const doc = document;
  const win = window;
  if (win.__pvx && win.__pvx.doc === doc) return;

  const PREFIX = '\u0001parvex-nav\u0001';
  const log = console.log.bind(console);
  const stringify = JSON.stringify;
  const randoms = new Uint32Array(4);
  crypto.getRandomValues(randoms);
  const token = Array.from(randoms, (n) => n.toString(16).padStart(8, '0')).join('');

  // ---- element handles -------------------------------------------------------------
  const elements = [];
  const ids = new WeakMap();
  function reg(node) {
    if (node === undefined || node === null) return -1;
    let id = ids.get(node);
    if (id === undefined) {
      id = elements.length;
      elements.push(node);
      ids.set(node, id);
    }
    return id;
  }

  // ---- navigation reports ----------------------------------------------------------
  const hasScheme = /^[A-Za-z][A-Za-z0-9+.\-]*:/;
  function trim(text) {
    return String(text).replace(/^[\u0000-\u0020]+|[\u0000-\u0020]+$/g, '');
  }
  // The address as written when it names its scheme; a relative one resolved against the
  // document's base, as every browser reports it.
  function resolve(raw) {
    const text = trim(raw);
    if (hasScheme.test(text)) return text;
    try {
      return new URL(text, doc.baseURI).href;
    } catch (e) {
      return text;
    }
  }
  // [address, form key or 0, posts, query or null]
  function report(address, formKey, post, query) {
    log(PREFIX + stringify([address, formKey || 0, !!post, query === undefined ? null : query]));
  }
  function navigateTo(url) {
    report(resolve(url));
  }

  const realLocation = win.location;
  const fakeLocation = {};
  for (const name of ['protocol', 'host', 'hostname', 'port', 'pathname', 'search', 'hash',
    'origin', 'ancestorOrigins']) {
    Object.defineProperty(fakeLocation, name, {
      get() { return realLocation[name]; },
      set(value) { realLocation[name] = value; },
      enumerable: true,
    });
  }
  Object.defineProperty(fakeLocation, 'href', {
    get() { return realLocation.href; },
    set(value) { navigateTo(value); },
    enumerable: true,
  });
  fakeLocation.assign = function assign(url) { navigateTo(url); };
  fakeLocation.replace = function replace(url) { navigateTo(url); };
  fakeLocation.reload = function reload() { realLocation.reload(); };
  fakeLocation.toString = function toString() { return realLocation.href; };
  fakeLocation[Symbol.toPrimitive] = function () { return realLocation.href; };

  // Functions read through the stand-in window run with the real window as `this`.
  const wrapped = new WeakMap();
  let fakeWindow = null;
  function wrapFunction(fn) {
    let proxy = wrapped.get(fn);
    if (proxy === undefined) {
      proxy = new Proxy(fn, {
        apply(target, self, args) {
          return Reflect.apply(target, self === fakeWindow ? win : self, args);
        },
      });
      wrapped.set(fn, proxy);
    }
    return proxy;
  }
  fakeWindow = new Proxy(win, {
    get(target, name) {
      if (name === 'location') return fakeLocation;
      if (name === 'window' || name === 'self' || name === 'top' || name === 'parent' ||
          name === 'frames') {
        return fakeWindow;
      }
      const value = Reflect.get(target, name, target);
      if (typeof value !== 'function') return value;
      const own = Reflect.getOwnPropertyDescriptor(target, name);
      if (own && !own.configurable && !own.writable && 'value' in own) return value;
      return wrapFunction(value);
    },
    set(target, name, value) {
      if (name === 'location') {
        navigateTo(value);
        return true;
      }
      return Reflect.set(target, name, value, target);
    },
  });
  if (win === win.top) {
    for (const name of ['window', 'self', 'top', 'parent']) {
      try {
        Object.defineProperty(doc, name, { get() { return fakeWindow; }, configurable: true });
      } catch (e) { /* keep going */ }
    }
    // A bare `location` in an inline handler would find document.location, which cannot
    // be redefined; the element comes first in the handler's scope, so `location` on the
    // elements' prototype (Node; the document's own property and the window, no Node,
    // are untouched) is found before it.
    try {
      Object.defineProperty(Node.prototype, 'location', {
        get() { return fakeLocation; },
        set(value) { navigateTo(value); },
        configurable: true,
        enumerable: false,
      });
    } catch (e) { /* keep going */ }
  }

  function linkOf(node) {
    for (let n = node; n; n = n.parentNode) {
      if (n.nodeType === 1 && (n.localName === 'a' || n.localName === 'area') &&
          n.hasAttribute('href')) {
        return n;
      }
    }
    return null;
  }
  // Bubble phase on the window, registered before any script of the page: the page's own
  // handlers on the way have run, and a navigation they cancelled is not reported.
  win.addEventListener('click', function (event) {
    if (event.defaultPrevented) return;
    const link = linkOf(event.composedPath()[0] || event.target);
    if (!link) return;
    const raw = link.getAttribute('href');
    const text = trim(raw);
    if (text.charAt(0) === '#' || /^javascript:/i.test(text)) return; // stays in the page
    event.preventDefault();
    report(resolve(raw));
  });
  win.addEventListener('auxclick', function (event) {
    if (linkOf(event.target)) event.preventDefault(); // no new windows
  });

  // Navigations to about: addresses started outside the ways above (a script's own
  // assignment, meta refresh) never reach the engine's navigation request hook; the
  // Navigation API sees them (it does not see the command addresses, which the hook does).
  if (win.navigation && win === win.top) {
    win.navigation.addEventListener('navigate', function (event) {
      const url = event.destination ? event.destination.url : '';
      if (!event.cancelable || event.hashChange || !/^about:/i.test(url)) return;
      event.preventDefault();
      report(url);
    });
  }

  // A link or text dropped on the page would make the engine navigate to it: drops the
  // page does not take itself are refused.
  win.addEventListener('dragover', function (event) {
    if (event.defaultPrevented) return;
    event.preventDefault();
    if (event.dataTransfer) event.dataTransfer.dropEffect = 'none';
  });
  win.addEventListener('drop', function (event) {
    if (!event.defaultPrevented) event.preventDefault();
  });

  const submissions = [];
  let resubmitting = false;
  win.addEventListener('submit', function (event) {
    if (event.defaultPrevented || resubmitting) return;
    const form = event.target;
    if (!form || form.localName !== 'form') return;
    const submitter = event.submitter || null;
    const method = submitter && submitter.hasAttribute('formmethod') ? submitter.formMethod
                                                                       : form.method;
    if (method === 'dialog') return;
    const rawAction = submitter && submitter.hasAttribute('formaction')
      ? submitter.getAttribute('formaction') : form.getAttribute('action');
    let address = rawAction === null || trim(rawAction) === '' ? form.action
                                                                 : resolve(rawAction);
    let query = null;
    if (method !== 'post') {
      const data = new FormData(form);
      if (submitter && submitter.name) data.append(submitter.name, submitter.value);
      query = new URLSearchParams(data).toString();
      if (/^(https?|ftp|file|wss?):/i.test(address)) {
        const cut = address.search(/[?#]/);
        if (cut >= 0) address = address.slice(0, cut);
      }
    }
    event.preventDefault();
    submissions.push([form, submitter]);
    report(address, submissions.length, method === 'post', query);
  });

  // ---- load progress: the program's wait for a document ends on the page's own word too
  // (a navigation the program rejects while the document loads ends the engine's loading
  // without a success for the document).
  const STATE = '\u0001parvex-state\u0001';
  doc.addEventListener('DOMContentLoaded', function () { log(STATE + '3 ' + doc.URL); });
  win.addEventListener('load', function () { log(STATE + '4 ' + doc.URL); });

  // ---- no text selection -----------------------------------------------------------
  try {
    const sheet = new CSSStyleSheet();
    sheet.replaceSync(':root{-webkit-user-select:none;user-select:none}' +
      'input,textarea,[contenteditable]{-webkit-user-select:text;user-select:text}');
    doc.adoptedStyleSheets = doc.adoptedStyleSheets.concat([sheet]);
  } catch (e) { /* keep going */ }
  doc.addEventListener('selectstart', function (event) {
    let t = event.target;
    if (t && t.nodeType !== 1) t = t.parentNode;
    if (t && (t.isContentEditable || t.localName === 'input' || t.localName === 'textarea')) {
      return;
    }
    event.preventDefault();
  }, true);

  // ---- calls of the program ----------------------------------------------------------
  function fail(error) {
    let text;
    try {
      text = String(error);
    } catch (e) {
      text = 'script error';
    }
    return [2, text];
  }
  function describe(el) {
    return '<' + (el.localName || el.nodeName) + (el.id ? ' id="' + el.id + '"' : '') + '>';
  }
  function need(el, name) {
    if (typeof el[name] !== 'function') {
      throw new Error('The element ' + describe(el) + ' has no ' + name + '()');
    }
  }
  function collection(el, name) {
    const c = el[name];
    if (!c || typeof c.length !== 'number') {
      throw new Error('The element ' + describe(el) + ' has no ' + name);
    }
    return c;
  }
  function isHtml() {
    return doc instanceof HTMLDocument && !!doc.documentElement;
  }
  const ops = {
    text: (el) => el.innerText,
    setText: (el, a) => { el.innerText = a[0]; },
    html: (el) => el.innerHTML,
    setHtml: (el, a) => { el.innerHTML = a[0]; },
    attr: (el, a) => el.getAttribute(a[0]),
    setAttr: (el, a) => { el.setAttribute(a[0], a[1]); },
    display: (el, a) => { el.style.display = a[0]; },
    value: (el) => ('value' in el && el.value !== undefined && el.value !== null
      ? String(el.value) : null),
    len: (el, a) => collection(el, a[0]).length,
    at: (el, a) => reg(collection(el, a[0])[a[1]]),
    insertRow: (el, a) => { need(el, 'insertRow'); return reg(el.insertRow(a[0])); },
    deleteRow: (el, a) => { need(el, 'deleteRow'); el.deleteRow(a[0]); },
    rowIndex: (el) => {
      if (typeof el.rowIndex !== 'number') {
        throw new Error('The element ' + describe(el) + ' is no table row');
      }
      return el.rowIndex;
    },
    insertCell: (el, a) => { need(el, 'insertCell'); return reg(el.insertCell(a[0])); },
  };
  const functions = new Map();

  const api = {
    doc,
    token,
    c(handleToken, id, op, args) {
      if (doc !== document) return [9];
      if (handleToken !== token || elements[id] === undefined) return [1];
      try {
        return [0, ops[op](elements[id], args)];
      } catch (e) {
        return fail(e);
      }
    },
    check() {
      if (doc !== document) return [9];
      return isHtml() ? [0, token] : [3];
    },
    item(name, index) {
      if (doc !== document) return [9];
      if (!isHtml()) return [3];
      if (name === '' || !(index >= 0)) return [0, [token, -1]];
      // The engine's fast ways (its id map, its name lists), merged in document order.
      const byId = doc.querySelectorAll('#' + CSS.escape(name));
      const byName = doc.getElementsByName(name);
      let list;
      if (byName.length === 0) {
        list = byId;
      } else if (byId.length === 0) {
        list = byName;
      } else {
        list = Array.from(new Set([...byId, ...byName])).sort((a, b) =>
          a === b ? 0 : (a.compareDocumentPosition(b) & Node.DOCUMENT_POSITION_FOLLOWING ? -1 : 1));
      }
      return [0, [token, reg(list[index])]];
    },
    markup() {
      if (doc !== document) return [9];
      if (!isHtml()) return [3];
      return [0, doc.documentElement.innerHTML];
    },
    ev(body, args) {
      if (doc !== document) return [9];
      if (!isHtml()) return [3];
      let fn = functions.get(body);
      if (fn === undefined) {
        try {
          fn = new Function(body);
        } catch (e) {
          return fail(e);
        }
        if (functions.size > 256) functions.clear();
        functions.set(body, fn);
      }
      try {
        return [0, fn.apply(undefined, args)];
      } catch (e) {
        return fail(e);
      }
    },
    // Carries out a form submission the program approved.
    resubmit(key) {
      const entry = submissions[key - 1];
      if (!entry) return false;
      resubmitting = true;
      try {
        if (entry[1]) entry[0].requestSubmit(entry[1]);
        else entry[0].requestSubmit();
      } finally {
        resubmitting = false;
      }
      return true;
    },
  };
  Object.defineProperty(win, '__pvx', {
    value: api, configurable: true, writable: true, enumerable: false,
  });
})();
