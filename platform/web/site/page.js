// The page around the game: menu bar, canvas, boxes and dialogs as HTML, keys and gamepads, storage, sound, and
// the module's start (the field's place on screen is screen.js's).
// The game's rules, texts and file bytes all come from the program; this file only shows and forwards.
'use strict';

(function () {
  var FIELD_W = 640;
  var FIELD_H = 400;
  // The name field's raw text is cut to this many UTF-16 units before the program filters it (a name holds 16
  // bytes), so that a paste of any size costs no more than a short one.
  var NAME_MAX_UNITS = 256;
  var MAX_SEED = 4294967295;
  var RANK_FILE = '/data/rank.vtd';
  var IMPORT_DIR = '/data/import';
  var IMPORT_MAX_BYTES = 1 << 20;
  var IDOK = 1;
  var IDCANCEL = 2;
  var MB_OKCANCEL = 0x01;
  var ICONS = { 0x10: ['×', 'Error'], 0x20: ['?', 'Question'], 0x30: ['!', 'Warning'] };
  // Dialog units to pixels: a 9-point template font at 96 dpi.
  var DLU_X = 1.5;
  var DLU_Y = 1.625;
  var CLIPBOARD_RULE = '---------------------------\n';
  // Virtual-key codes of keys that are not letters, digits or function keys. Tab is left to the page: it moves
  // between the field and the page's controls.
  var KEY_CODES = {
    Backspace: 0x08, Enter: 0x0d, Shift: 0x10, Control: 0x11, Pause: 0x13, CapsLock: 0x14,
    Escape: 0x1b, ' ': 0x20, PageUp: 0x21, PageDown: 0x22, End: 0x23, Home: 0x24, ArrowLeft: 0x25,
    ArrowUp: 0x26, ArrowRight: 0x27, ArrowDown: 0x28, Insert: 0x2d, Delete: 0x2e,
  };

  var query = new URLSearchParams(location.search);
  var manualTicks = query.get('ticks') === 'manual';
  var $ = function (id) { return document.getElementById(id); };
  var layout = window.VantrelScreen;
  var canvas = $('field');
  var context = canvas.getContext('2d', { alpha: false });
  var menubar = $('menubar');
  var resolveReady;
  var ready = new Promise(function (resolve) { resolveReady = resolve; });
  var boxes = {};
  var dialogs = {};
  var audio = { context: null, buffers: {}, pressed: false, waiting: [] };
  // Work that can wait until the first field is on screen; null once it has run.
  var afterField = [];
  var fieldPut = false;
  var lastPopup = null;
  var altAlone = false;

  // ---- Module start: storage held, mounted and read before the program runs, while its code is still on the way.
  var Module = (window.Module = {
    noInitialRun: false,
    preInit: [function () {
      if (manualTicks) Module.vt.manual = true;
      Module.addRunDependency('storage');
      VantrelStorage.open(Module, function () { Module.removeRunDependency('storage'); });
    }],
    print: function (text) { console.log(text); },
    printErr: function (text) { console.warn(text); },
  });

  // ---- What the program calls (through library_vantrel.js).
  var Page = (window.VantrelPage = {
    frameCreate: function (title, cx, cy) {
      document.title = title;
      canvas.width = cx;
      canvas.height = cy;
      context.imageSmoothingEnabled = false;
    },
    frameShow: function (show) {
      $('window').hidden = !show;
      if (show) canvas.focus({ preventScroll: true });
    },
    // Only the closed message and its button are left on the page.
    frameClosed: function () {
      $('window').hidden = true;
      $('footer').hidden = true;
      $('closed').hidden = false;
      $('restart').focus();
    },
    menuItem: function (level, text, id) {
      var button = document.createElement('button');
      button.type = 'button';
      button.setAttribute('role', 'menuitem');
      button.tabIndex = -1;
      var m = /^(.*)\(&(.)\)(.*)$/.exec(text);
      if (m) {
        button.append(m[1] + '(');
        var u = document.createElement('u');
        u.textContent = m[2];
        button.append(u, ')' + m[3]);
        button.dataset.mnemonic = m[2].toLowerCase();
      } else {
        button.textContent = text.replace('&', '');
      }
      var name = (m ? m[1] : text).replace(/[^A-Za-z]/g, '').toLowerCase();
      if (level === 0) {
        var item = document.createElement('div');
        item.className = 'menu-top';
        button.id = 'menu-' + name;
        item.append(button);
        menubar.append(item);
        if (id === 0) {
          var popup = document.createElement('div');
          popup.className = 'popup';
          popup.id = 'popup-' + name;
          popup.setAttribute('role', 'menu');
          popup.setAttribute('aria-labelledby', button.id);
          popup.hidden = true;
          item.append(popup);
          button.setAttribute('aria-haspopup', 'menu');
          button.setAttribute('aria-expanded', 'false');
          button.addEventListener('click', function () { togglePopup(popup); });
          lastPopup = popup;
        } else {
          button.dataset.command = String(id);
        }
        if (menubar.querySelectorAll('.menu-top').length === 1) button.tabIndex = 0;
      } else if (lastPopup) {
        button.dataset.command = String(id);
        lastPopup.append(button);
      }
      if (button.dataset.command) button.addEventListener('click', function () { command(id); });
    },
    setIcon: function (rgba, cx, cy) {
      if (afterField) {
        afterField.push(function () { Page.setIcon(rgba, cx, cy); });
        return;
      }
      var c = imageCanvas(rgba, cx, cy);
      var link = document.querySelector('link[rel=icon]');
      if (link) link.href = c.toDataURL('image/png');
    },
    putImage: function (image, x, y) {
      context.putImageData(image, x, y);
      if (!fieldPut) {
        layout.fieldShown();
        afterFirstField();
      }
    },
    boxOpen: function (id, text, caption, type, onEnd) {
      boxes[id] = openBox(text, caption, type, onEnd);
    },
    boxClose: function (id) {
      closeModal(boxes[id]);
      delete boxes[id];
    },
    dialogCreate: function (id, template, caption, cx, cy, onButton) {
      dialogs[id] = createDialog(template, caption, cx, cy, onButton);
    },
    dialogControl: function (id, kind, control, x, y, cx, cy, isDefault, text) {
      addControl(dialogs[id], kind, control, x, y, cx, cy, isDefault, text);
    },
    dialogIcon: function (id, x, y, rgba, cx, cy) {
      var d = dialogs[id];
      var c = imageCanvas(rgba, cx, cy);
      c.className = 'dlg-icon';
      c.setAttribute('aria-hidden', 'true');
      place(c, x, y);
      d.body.append(c);
    },
    dialogGetText: function (id, control) {
      var el = findControl(dialogs[id], control);
      if (!el) return '';
      return el.tagName === 'INPUT' ? el.value : el.textContent;
    },
    dialogSetText: function (id, control, text) {
      var el = findControl(dialogs[id], control);
      if (!el) return;
      if (el.tagName === 'INPUT') el.value = text;
      else el.textContent = text;
    },
    dialogSetLimit: function (id, control, bytes) {
      var el = findControl(dialogs[id], control);
      if (el && el.tagName === 'INPUT') el.dataset.limit = String(bytes);
    },
    dialogFocusFirst: function (id) {
      dialogs[id].focusFirst = true;
    },
    dialogShow: function (id) {
      var d = dialogs[id];
      document.body.append(d.element);
      d.element.showModal();
      widenToFit(d);
      growForTouch(d);
      layout.place(d.element);
      var first = d.element.querySelector('input, button:not(.close)');
      if (first && d.focusFirst) first.focus();
    },
    dialogRemove: function (id) {
      if (!dialogs[id]) return;
      closeModal(dialogs[id].element);
      delete dialogs[id];
    },
    // Starting audio can hold the page for a long moment (a quarter of a second in a headless browser): it waits
    // for the player's first press, which a browser asks for before any sound anyway.
    soundPrepare: function (file) {
      if (!audio.pressed) {
        audio.waiting.push(file);
        return;
      }
      var AC = window.AudioContext || window.webkitAudioContext;
      if (!AC || audio.buffers[file] !== undefined) return;
      audio.buffers[file] = null;
      try {
        if (!audio.context) audio.context = new AC();
      } catch (e) {
        return;
      }
      fetch(file)
        .then(function (r) {
          if (!r.ok) throw new Error(r.status + ' ' + r.statusText);
          return r.arrayBuffer();
        })
        .then(function (data) { return audio.context.decodeAudioData(data); })
        .then(function (buffer) { audio.buffers[file] = buffer; })
        .catch(function (e) { console.warn(file + ': ' + e.message); });
    },
    soundPlay: function (file) {
      var buffer = audio.buffers[file];
      if (!buffer || !audio.context) return;
      try {
        var source = audio.context.createBufferSource();
        source.buffer = buffer;
        source.connect(audio.context.destination);
        source.start();
      } catch (e) {
        console.warn(file + ': ' + e.message);
      }
    },
    querySeed: function () {
      var text = query.get('seed');
      if (text === null || !/^\d{1,10}$/.test(text) || Number(text) > MAX_SEED) return null;
      return Number(text);
    },
    showSeed: function (seed) {
      $('seed').textContent = String(seed);
      $('seed-link').href = '?seed=' + seed;
    },
  });

  // A canvas holding an image the program gives as RGBA bytes (the icons).
  function imageCanvas(rgba, cx, cy) {
    var c = document.createElement('canvas');
    c.width = cx;
    c.height = cy;
    c.getContext('2d').putImageData(new ImageData(new Uint8ClampedArray(rgba), cx, cy), 0, 0);
    return c;
  }

  // The first field is drawn: once the browser has shown it, the work that can wait (the icon, the offline
  // copy, the request to keep storage) begins.
  function afterFirstField() {
    fieldPut = true;
    resolveReady();
    requestAnimationFrame(function () {
      setTimeout(function () {
        var work = afterField;
        afterField = null;
        work.forEach(function (run) { run(); });
        VantrelRelease.keep();
        VantrelStorage.askToKeep();
      });
    });
  }

  // ---- Boxes and dialogs.
  function titleBar(dialog, caption, onClose) {
    var bar = document.createElement('div');
    bar.className = 'caption';
    var title = document.createElement('h2');
    title.id = 'caption-' + Math.random().toString(36).slice(2);
    title.textContent = caption;
    var close = document.createElement('button');
    close.type = 'button';
    close.className = 'close';
    // Reached by the mouse; Escape does the same from the keyboard.
    close.tabIndex = -1;
    close.setAttribute('aria-label', 'Close');
    close.textContent = '×';
    close.addEventListener('click', onClose);
    bar.append(title, close);
    dialog.setAttribute('aria-labelledby', title.id);
    return bar;
  }

  function openBox(text, caption, type, onEnd) {
    var okCancel = (type & 0x0f) === MB_OKCANCEL;
    var dialog = document.createElement('dialog');
    dialog.className = 'box';
    var ended = false;
    var end = function (result) {
      if (ended) return;
      ended = true;
      onEnd(result);
    };
    var body = document.createElement('div');
    body.className = 'box-body';
    var icon = ICONS[type & 0xf0];
    if (icon) {
      var mark = document.createElement('span');
      mark.className = 'box-icon';
      mark.setAttribute('role', 'img');
      mark.setAttribute('aria-label', icon[1]);
      mark.textContent = icon[0];
      body.append(mark);
    }
    var pre = document.createElement('pre');
    pre.className = 'box-text';
    pre.id = 'text-' + Math.random().toString(36).slice(2);
    pre.textContent = text;
    if (text.split('\n').length >= 3) pre.classList.add('table');
    body.append(pre);
    dialog.setAttribute('aria-describedby', pre.id);
    dialog.setAttribute('role', 'alertdialog');
    var buttons = document.createElement('div');
    buttons.className = 'buttons';
    var labels = okCancel ? [[IDOK, 'OK'], [IDCANCEL, 'Cancel']] : [[IDOK, 'OK']];
    labels.forEach(function (l) {
      var b = document.createElement('button');
      b.type = 'button';
      b.dataset.id = String(l[0]);
      b.textContent = l[1];
      if (l[0] === IDOK) b.autofocus = true;
      b.addEventListener('click', function () { end(l[0]); });
      buttons.append(b);
    });
    var escape = okCancel ? IDCANCEL : IDOK;
    dialog.append(titleBar(dialog, caption, function () { end(escape); }), body, buttons);
    dialog.addEventListener('cancel', function (e) {
      e.preventDefault();
      end(escape);
    });
    // Ctrl+C with nothing selected copies the whole box, as on the desktop.
    dialog.addEventListener('copy', function (e) {
      var selection = window.getSelection();
      if (selection && !selection.isCollapsed) return;
      e.preventDefault();
      var names = labels.map(function (l) { return l[1] + '   '; }).join('');
      e.clipboardData.setData('text/plain', CLIPBOARD_RULE + caption + '\n' + CLIPBOARD_RULE + text + '\n' +
        CLIPBOARD_RULE + names + '\n' + CLIPBOARD_RULE);
    });
    dialog.addEventListener('keydown', function (e) {
      if ((e.ctrlKey || e.metaKey) && e.key.toLowerCase() === 'c' && !window.getSelection().toString()) {
        document.execCommand('copy');
      }
    });
    closePopups();
    document.body.append(dialog);
    dialog.showModal();
    layout.place(dialog);
    dialog.querySelector('button[data-id="1"]').focus();
    return dialog;
  }

  function closeModal(dialog) {
    if (!dialog) return;
    if (dialog.open) dialog.close();
    dialog.remove();
    if (!document.querySelector('dialog[open]') && !$('window').hidden) canvas.focus({ preventScroll: true });
  }

  function createDialog(template, caption, cx, cy, onButton) {
    var dialog = document.createElement('dialog');
    dialog.className = 'dlg';
    dialog.dataset.template = String(template);
    var body = document.createElement('div');
    body.className = 'dlg-body';
    body.style.width = Math.round(cx * DLU_X) + 'px';
    body.style.height = Math.round(cy * DLU_Y) + 'px';
    dialog.append(titleBar(dialog, caption, function () { onButton(IDCANCEL); }), body);
    dialog.addEventListener('cancel', function (e) {
      e.preventDefault();
      onButton(IDCANCEL);
    });
    closePopups();
    return { element: dialog, body: body, onButton: onButton, focusFirst: false };
  }

  // The page's font runs wider than the template's: the dialog grows to keep labels and caption whole, its
  // controls kept in the middle.
  function widenToFit(d) {
    var body = d.body;
    var width = body.offsetWidth;
    var needed = d.element.querySelector('.caption h2').scrollWidth + 40;
    body.querySelectorAll('.label').forEach(function (label) {
      // Shifted by half the growth, a label ends inside once the width reaches this.
      needed = Math.max(needed, 2 * (label.offsetLeft + label.scrollWidth + 8) - width);
    });
    if (needed <= width) return;
    var shift = Math.round((needed - width) / 2);
    body.style.width = needed + 'px';
    Array.prototype.forEach.call(body.children, function (el) {
      el.style.left = el.offsetLeft + shift + 'px';
    });
  }

  // On a touch screen a dialog's buttons grow to a finger's height, and what lies below a grown button moves down
  // (the game's dialogs have one button to a row).
  function growForTouch(d) {
    if (!matchMedia('(pointer: coarse)').matches) return;
    var touch = parseFloat(getComputedStyle(document.documentElement).getPropertyValue('--touch'));
    var body = d.body;
    var grown = 0;
    body.querySelectorAll('button').forEach(function (button) {
      var growth = touch - button.offsetHeight;
      if (growth <= 0) return;
      var bottom = button.offsetTop + button.offsetHeight;
      Array.prototype.forEach.call(body.children, function (el) {
        if (el.offsetTop >= bottom) el.style.top = el.offsetTop + growth + 'px';
      });
      button.style.height = touch + 'px';
      grown += growth;
    });
    body.style.height = body.offsetHeight + grown + 'px';
  }

  function place(el, x, y, cx, cy) {
    el.style.left = Math.round(x * DLU_X) + 'px';
    el.style.top = Math.round(y * DLU_Y) + 'px';
    if (cx !== undefined) {
      el.style.minWidth = Math.round(cx * DLU_X) + 'px';
      el.style.height = Math.round(cy * DLU_Y) + 'px';
    }
  }

  function findControl(d, control) {
    return d ? d.body.querySelector('[data-control="' + control + '"]') : null;
  }

  function addControl(d, kind, control, x, y, cx, cy, isDefault, text) {
    var el;
    if (kind === 0) {
      el = document.createElement('input');
      el.type = 'text';
      el.autocomplete = 'off';
      el.spellcheck = false;
      el.maxLength = NAME_MAX_UNITS;
      el.value = text;
      el.addEventListener('input', function (e) { if (!e.isComposing) filterName(el); });
      el.addEventListener('compositionend', function () { filterName(el); });
      el.addEventListener('keydown', function (e) {
        if (e.key === 'Enter' && !e.isComposing) {
          e.preventDefault();
          var def = d.body.querySelector('button.default');
          d.onButton(def ? Number(def.dataset.control) : IDOK);
        }
      });
    } else if (kind === 1) {
      el = document.createElement('button');
      el.type = 'button';
      el.textContent = text;
      if (isDefault) el.classList.add('default');
      el.addEventListener('click', function () { d.onButton(control); });
    } else {
      el = document.createElement('span');
      el.className = 'label';
      el.textContent = text;
      el.id = 'label-' + Math.random().toString(36).slice(2);
    }
    if (control !== -1) el.dataset.control = String(control);
    place(el, x, y, cx, cy);
    d.body.append(el);
    // The dialog's label names its edit field for a screen reader.
    var input = d.body.querySelector('input');
    var label = d.body.querySelector('.label');
    if (input && label) input.setAttribute('aria-labelledby', label.id);
  }

  // The program decides what the name field may hold; a refusal gives a cue in place of the desktop's beep.
  function filterName(input) {
    if (input.value.length > NAME_MAX_UNITS) input.value = input.value.slice(0, NAME_MAX_UNITS);
    var limit = Number(input.dataset.limit || 0);
    var cursor = input.selectionStart === null ? input.value.length : input.selectionStart;
    var kept = withStrings([input.value], function (text) {
      return Module.UTF8ToString(Module._vt_filter_name(text, cursor, limit));
    });
    if (kept !== input.value) {
      var at = Module._vt_filter_cursor();
      input.value = kept;
      input.setSelectionRange(at, at);
    }
    if (Module._vt_filter_refused()) refusedCue(input);
  }

  // Calls into the program while it waits for its next event (so not through ccall, which would take the call
  // for the program resuming): the strings in its heap for the call's length.
  function withStrings(strings, call) {
    var pointers = strings.map(function (text) {
      var size = Module.lengthBytesUTF8(text) + 1;
      var pointer = Module._malloc(size);
      Module.stringToUTF8(text, pointer, size);
      return pointer;
    });
    try {
      return call.apply(null, pointers);
    } finally {
      pointers.forEach(function (pointer) { Module._free(pointer); });
    }
  }

  function refusedCue(input) {
    input.classList.remove('refused');
    void input.offsetWidth;
    input.classList.add('refused');
    clearTimeout(input.refusedTimer);
    input.refusedTimer = setTimeout(function () { input.classList.remove('refused'); }, 300);
    var ac = audio.context;
    if (!ac || ac.state !== 'running') return;
    try {
      var osc = ac.createOscillator();
      var gain = ac.createGain();
      gain.gain.value = 0.05;
      osc.frequency.value = 880;
      osc.connect(gain).connect(ac.destination);
      osc.start();
      osc.stop(ac.currentTime + 0.08);
    } catch (e) { /* no cue sound */ }
  }

  // ---- Menu bar: mouse, Alt + mnemonic, Alt or F10 alone, arrows.
  function command(id) {
    closePopups();
    canvas.focus({ preventScroll: true });
    if (Module.vt) Module.vt.post(6, id);
  }

  function topButtons() {
    return Array.prototype.slice.call(menubar.querySelectorAll('.menu-top > button'));
  }

  function closePopups() {
    menubar.querySelectorAll('.popup').forEach(function (p) {
      p.hidden = true;
      p.previousElementSibling.setAttribute('aria-expanded', 'false');
    });
  }

  function togglePopup(popup, focusFirst) {
    var opening = popup.hidden;
    closePopups();
    if (!opening) return;
    popup.hidden = false;
    popup.previousElementSibling.setAttribute('aria-expanded', 'true');
    if (focusFirst !== false) popup.querySelector('[role=menuitem]').focus();
  }

  function openTop(button) {
    var popup = button.nextElementSibling;
    if (popup && popup.classList.contains('popup')) togglePopup(popup);
    else command(Number(button.dataset.command));
  }

  function menuKey(e) {
    var tops = topButtons();
    var active = document.activeElement;
    var popup = active && active.closest('.popup');
    var topIndex = tops.indexOf(popup ? popup.previousElementSibling : active);
    if (e.key === 'Escape') {
      if (popup) {
        closePopups();
        tops[topIndex].focus();
      } else {
        canvas.focus({ preventScroll: true });
      }
      return true;
    }
    if (e.key === 'ArrowLeft' || e.key === 'ArrowRight') {
      var next = tops[(topIndex + (e.key === 'ArrowLeft' ? tops.length - 1 : 1)) % tops.length];
      closePopups();
      next.focus();
      if (popup && next.nextElementSibling) togglePopup(next.nextElementSibling);
      return true;
    }
    if (e.key === 'ArrowDown' || e.key === 'ArrowUp') {
      if (!popup) {
        if (active.nextElementSibling) togglePopup(active.nextElementSibling);
        return true;
      }
      var items = Array.prototype.slice.call(popup.querySelectorAll('[role=menuitem]'));
      var i = items.indexOf(active);
      items[(i + (e.key === 'ArrowUp' ? items.length - 1 : 1)) % items.length].focus();
      return true;
    }
    if (e.key.length === 1 && !e.ctrlKey && !e.metaKey) {
      var scope = popup ? popup.querySelectorAll('[role=menuitem]') : tops;
      var hit = Array.prototype.find.call(scope, function (b) { return b.dataset.mnemonic === e.key.toLowerCase(); });
      if (hit) {
        if (popup) hit.click();
        else openTop(hit);
        return true;
      }
    }
    return false;
  }

  // The open box or dialog on top, which takes the keys.
  function topDialog() {
    var open = document.querySelectorAll('dialog[open]');
    return open.length > 0 ? open[open.length - 1] : null;
  }

  // The button Enter or Space presses in a box or dialog: the focused one, else the default.
  function defaultButton(dialog) {
    var active = document.activeElement;
    if (active && active.tagName === 'BUTTON' && dialog.contains(active) && !active.classList.contains('close')) {
      return active;
    }
    return dialog.querySelector('.buttons button[data-id="1"], .dlg-body button.default');
  }

  // With the focus off the box's controls (after a click beside them), Enter and Space still press its button.
  function dialogKey(dialog, e) {
    if ((e.key !== 'Enter' && e.key !== ' ') || e.isComposing || e.target.closest('button, input')) return;
    var button = defaultButton(dialog);
    if (!button) return;
    e.preventDefault();
    button.focus();
    button.click();
  }

  function onKeyDown(e) {
    var dialog = topDialog();
    if (dialog) {
      dialogKey(dialog, e);
      return;
    }
    altAlone = e.key === 'Alt';
    if (e.altKey && !e.ctrlKey && e.key.length === 1) {
      var hit = topButtons().find(function (b) { return b.dataset.mnemonic === e.key.toLowerCase(); });
      if (hit) {
        e.preventDefault();
        hit.focus();
        openTop(hit);
      }
      return;
    }
    if (e.key === 'F10' && !e.shiftKey) {
      e.preventDefault();
      topButtons()[0].focus();
      return;
    }
    if (menubar.contains(document.activeElement)) {
      if (menuKey(e)) e.preventDefault();
      return;
    }
    var target = e.target;
    if (target !== canvas && target !== document.body) return;
    if (e.ctrlKey || e.metaKey || e.altKey) return;
    var vk = virtualKey(e);
    if (!vk) return;
    e.preventDefault();
    if (Module.vt) Module.vt.post(3, vk, e.repeat ? 1 : 0);
  }

  function virtualKey(e) {
    if (KEY_CODES[e.key] !== undefined) return KEY_CODES[e.key];
    var m = /^(Key|Digit)([A-Z0-9])$/.exec(e.code);
    if (m) return m[2].charCodeAt(0);
    m = /^F(\d{1,2})$/.exec(e.key);
    if (m && Number(m[1]) <= 24) return 0x6f + Number(m[1]);
    return 0;
  }

  document.addEventListener('keydown', onKeyDown);
  document.addEventListener('keyup', function (e) {
    if (e.key === 'Alt' && altAlone && !document.querySelector('dialog[open]')) {
      e.preventDefault();
      var first = topButtons()[0];
      if (menubar.contains(document.activeElement)) canvas.focus({ preventScroll: true });
      else if (first) first.focus();
    }
    altAlone = false;
  });
  // A press outside an open menu only closes it, as on the desktop.
  var pressClosedMenu = false;
  document.addEventListener('pointerdown', function (e) {
    pressClosedMenu = false;
    if (menubar.contains(e.target) || !menubar.querySelector('.popup:not([hidden])')) return;
    closePopups();
    pressClosedMenu = true;
  }, true);

  // ---- The field: a left click or a tap flips; a quick second click is a double-click.
  function clientPoint(e) {
    var r = canvas.getBoundingClientRect();
    return [Math.floor(((e.clientX - r.left) * FIELD_W) / r.width), Math.floor(((e.clientY - r.top) * FIELD_H) / r.height)];
  }
  canvas.addEventListener('mousedown', function (e) {
    if (e.button !== 0 || pressClosedMenu) return;
    var p = clientPoint(e);
    canvas.focus({ preventScroll: true });
    if (Module.vt) Module.vt.post(e.detail > 1 && e.detail % 2 === 0 ? 5 : 4, p[0], p[1]);
  });
  canvas.addEventListener('pointerdown', function (e) {
    if (e.pointerType === 'mouse') return;
    e.preventDefault();
    if (pressClosedMenu) return;
    var p = clientPoint(e);
    if (Module.vt) Module.vt.post(4, p[0], p[1]);
  });
  canvas.addEventListener('touchstart', function (e) { e.preventDefault(); }, { passive: false });
  canvas.addEventListener('contextmenu', function (e) { e.preventDefault(); });

  // ---- A gamepad: any button pressed acts as Space (it flips, or presses the open box's button). Polled once a
  // frame, only while a pad is connected.
  var padButtons = {};
  var padPolling = false;
  function pollPads() {
    var pads = Array.prototype.filter.call(navigator.getGamepads(), Boolean);
    pads.forEach(function (pad) {
      var before = padButtons[pad.index] || [];
      var now = pad.buttons.map(function (button) { return button.pressed; });
      if (now.some(function (down, i) { return down && !before[i]; })) padPress();
      padButtons[pad.index] = now;
    });
    padPolling = pads.length > 0;
    if (padPolling) requestAnimationFrame(pollPads);
  }

  function padPress() {
    var dialog = topDialog();
    if (dialog) {
      var button = defaultButton(dialog);
      if (button) button.click();
    } else if (Module.vt && !$('window').hidden) {
      Module.vt.post(3, KEY_CODES[' '], 0);
    }
  }

  if (navigator.getGamepads) {
    window.addEventListener('gamepadconnected', function () {
      if (padPolling) return;
      padPolling = true;
      requestAnimationFrame(pollPads);
    });
    window.addEventListener('gamepaddisconnected', function (e) {
      if (e.gamepad) delete padButtons[e.gamepad.index];
    });
  }

  document.addEventListener('visibilitychange', function () {
    if (Module.vt) Module.vt.onVisibility();
  });
  // Audio may start only after a gesture on the page.
  ['pointerdown', 'keydown'].forEach(function (type) {
    document.addEventListener(type, function () {
      if (!audio.pressed) {
        audio.pressed = true;
        audio.waiting.forEach(Page.soundPrepare);
      }
      if (audio.context && audio.context.state === 'suspended') audio.context.resume().catch(function () {});
    });
  });

  $('restart').addEventListener('click', function () { location.reload(); });

  // ---- The ranking file: download it, or load one through the game's own loader.
  $('rank-download').addEventListener('click', function (e) {
    e.preventDefault();
    var bytes;
    try {
      bytes = Module.FS.readFile(RANK_FILE);
    } catch (err) {
      $('rank-message').textContent = 'No ranking has been saved in this browser yet.';
      return;
    }
    var url = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
    var a = document.createElement('a');
    a.href = url;
    a.download = 'rank.vtd';
    document.body.append(a);
    a.click();
    a.remove();
    setTimeout(function () { URL.revokeObjectURL(url); }, 1000);
  });

  $('rank-upload').addEventListener('change', function () {
    var input = $('rank-upload');
    var file = input.files && input.files[0];
    var message = $('rank-message');
    input.value = '';
    if (!file) return;
    if (file.size > IMPORT_MAX_BYTES) {
      message.textContent = 'Not loaded: ' + file.name + ' is too large to be a ranking file.';
      return;
    }
    file.arrayBuffer().then(function (data) {
      var FS = Module.FS;
      var problem;
      try {
        try { FS.mkdir(IMPORT_DIR); } catch (e) { /* exists */ }
        FS.writeFile(IMPORT_DIR + '/rank.vtd', new Uint8Array(data));
        problem = withStrings([IMPORT_DIR, RANK_FILE], function (dir, target) {
          return Module.UTF8ToString(Module._vt_import_rank(dir, target));
        });
      } catch (e) {
        problem = 'The ranking cannot be stored in this browser.';
      }
      try { FS.unlink(IMPORT_DIR + '/rank.vtd'); } catch (e) { /* moved */ }
      try { FS.rmdir(IMPORT_DIR); } catch (e) { /* gone */ }
      if (problem) {
        message.textContent = 'Not loaded: ' + problem;
        return;
      }
      message.textContent = 'Loaded; the game starts again with it.';
      VantrelStorage.whenStored(function (ok) {
        if (ok) location.reload();
        else message.textContent = 'Not kept: the browser refused to store the file.';
      });
    }, function (err) {
      message.textContent = 'Not loaded: ' + file.name + ' cannot be read (' + err.message + ').';
    });
  });

  // ---- Hooks for automated play (?ticks=manual) and for tests.
  window.vantrel = {
    ready: ready,
    step: function (n) { return Module.vt.step(n); },
  };
})();
