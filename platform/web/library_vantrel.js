// The page's side of the message loop: the event queue the program waits on, the timers and the paint requests;
// everything shown goes through VantrelPage (site/page.js).
/* global VantrelPage, Asyncify, HEAP32, HEAPU32, HEAPU8, UTF8ToString, stringToUTF8, lengthBytesUTF8, mergeInto,
   LibraryManager */
var VantrelLibrary = {
  $VT__postset: 'Module["vt"] = VT;',
  $VT: {
    queue: [],
    timers: {},
    timerHandle: 0,
    paintPending: false,
    paintRequested: false,
    manual: false,
    halted: false,
    sleeping: null, // {ptr, wakeUp} while the program waits
    idleWaiters: [],
    image: null,

    // Events in the order a desktop hands them out: posted ones (input, commands, box ends), then a paint,
    // then a timer. Returns false when there is nothing.
    take: function (out) {
      if (VT.halted) return false;
      if (VT.queue.length > 0) {
        var e = VT.queue.shift();
        out.push(e[0], e[1] || 0, e[2] || 0, e[3] || 0);
        return true;
      }
      if (VT.paintPending) {
        VT.paintPending = false;
        out.push(2, 0, 0, 0);
        return true;
      }
      for (var id in VT.timers) {
        var t = VT.timers[id];
        if (t.pending) {
          t.pending = false;
          out.push(1, Number(id), 0, 0);
          return true;
        }
      }
      return false;
    },
    deliver: function (ptr, ev) {
      for (var i = 0; i < 4; i++) HEAP32[(ptr >> 2) + i] = ev[i];
    },
    // Resumes the waiting program when there is something for it.
    wake: function () {
      if (!VT.sleeping) return;
      var ev = [];
      if (!VT.take(ev)) return;
      var s = VT.sleeping;
      VT.sleeping = null;
      VT.deliver(s.ptr, ev);
      s.wakeUp();
    },
    post: function (kind, a, b, c) {
      VT.queue.push([kind, a, b, c]);
      VT.wake();
    },
    onIdle: function () {
      var waiters = VT.idleWaiters;
      VT.idleWaiters = [];
      waiters.forEach(function (resolve) { resolve(); });
    },
    // Resolves once the program waits with nothing left to hand it.
    idle: function () {
      return new Promise(function (resolve) {
        if (VT.sleeping) resolve();
        else VT.idleWaiters.push(resolve);
      });
    },

    // Ticks keep absolute deadlines, so the period holds on average; a late or hidden page skips the ticks it
    // missed (at most one is ever pending) instead of running them in a burst.
    schedule: function () {
      clearTimeout(VT.timerHandle);
      VT.timerHandle = 0;
      if (VT.manual || document.hidden) return;
      var next = Infinity;
      for (var id in VT.timers) next = Math.min(next, VT.timers[id].next);
      if (next === Infinity) return;
      VT.timerHandle = setTimeout(VT.onTimeout, Math.max(0, next - performance.now()));
    },
    onTimeout: function () {
      if (document.hidden) return;
      var now = performance.now();
      for (var id in VT.timers) {
        var t = VT.timers[id];
        if (now + 0.5 < t.next) continue;
        t.pending = true;
        while (t.next <= now + 0.5) t.next += t.period;
      }
      VT.schedule();
      VT.wake();
    },
    onVisibility: function () {
      var now = performance.now();
      for (var id in VT.timers) VT.timers[id].next = now + VT.timers[id].period;
      VT.schedule();
    },
    // Another tab took the game over: nothing reaches the program any more.
    halt: function () {
      VT.halted = true;
      VT.timers = {};
      VT.schedule();
    },
    // Test hook for ?ticks=manual: n timer messages, each handled (and painted) before the next.
    step: async function (n) {
      for (var i = 0; i < n; i++) {
        await VT.idle();
        var ids = Object.keys(VT.timers);
        if (ids.length === 0) break;
        ids.forEach(function (id) { VT.timers[id].pending = true; });
        VT.wake();
      }
      await VT.idle();
    },
  },

  vt_wait_event__deps: ['$VT'],
  vt_wait_event: function (ptr) {
    return Asyncify.handleSleep(function (wakeUp) {
      var ev = [];
      if (VT.take(ev)) {
        VT.deliver(ptr, ev);
        wakeUp();
        return;
      }
      VT.sleeping = { ptr: ptr, wakeUp: wakeUp };
      VT.onIdle();
    });
  },

  vt_set_timer__deps: ['$VT'],
  vt_set_timer: function (id, ms) {
    VT.timers[id] = { period: Math.max(1, ms), next: performance.now() + Math.max(1, ms), pending: false };
    VT.schedule();
  },
  vt_kill_timer__deps: ['$VT'],
  vt_kill_timer: function (id) {
    delete VT.timers[id];
    VT.schedule();
  },
  vt_request_paint__deps: ['$VT'],
  vt_request_paint: function () {
    // Tests step in exact order: the paint follows the tick at once.
    if (VT.manual) {
      VT.paintPending = true;
      return;
    }
    if (VT.paintRequested) return;
    VT.paintRequested = true;
    requestAnimationFrame(function () {
      VT.paintRequested = false;
      VT.paintPending = true;
      VT.wake();
    });
  },

  vt_frame_create: function (title, cx, cy) {
    VantrelPage.frameCreate(UTF8ToString(title), cx, cy);
  },
  vt_frame_show: function (show) {
    VantrelPage.frameShow(show !== 0);
  },
  vt_frame_closed__deps: ['$VT'],
  vt_frame_closed: function () {
    VT.timers = {};
    VT.schedule();
    VantrelPage.frameClosed();
    // Nothing runs any more: whoever waits for the program to be idle is let go.
    VT.onIdle();
  },
  vt_menu_item: function (level, text, id) {
    VantrelPage.menuItem(level, UTF8ToString(text), id);
  },
  vt_set_icon: function (rgba, cx, cy) {
    VantrelPage.setIcon(HEAPU8.slice(rgba, rgba + cx * cy * 4), cx, cy);
  },
  // The pixels go to the canvas straight from the program's memory; the image over them is made again only when
  // the block moves, changes size or the memory grows.
  vt_put_image__deps: ['$VT'],
  vt_put_image: function (rgba, cx, cy, x, y) {
    var image = VT.image;
    if (!image || image.data.buffer !== HEAPU8.buffer || image.data.byteOffset !== rgba || image.width !== cx ||
        image.height !== cy) {
      image = VT.image = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, rgba, cx * cy * 4), cx, cy);
    }
    VantrelPage.putImage(image, x, y);
  },
  vt_box_open__deps: ['$VT'],
  vt_box_open: function (box, text, caption, type) {
    VantrelPage.boxOpen(box, UTF8ToString(text), UTF8ToString(caption), type, function (result) {
      VT.post(7, box, result);
    });
  },
  vt_box_close: function (box) {
    VantrelPage.boxClose(box);
  },
  vt_dialog_create__deps: ['$VT'],
  vt_dialog_create: function (dlg, template, caption, cx, cy) {
    VantrelPage.dialogCreate(dlg, template, UTF8ToString(caption), cx, cy, function (id) {
      VT.post(8, dlg, id);
    });
  },
  vt_dialog_control: function (dlg, kind, id, x, y, cx, cy, isDefault, text) {
    VantrelPage.dialogControl(dlg, kind, id, x, y, cx, cy, isDefault !== 0, UTF8ToString(text));
  },
  vt_dialog_icon: function (dlg, x, y, rgba, cx, cy) {
    VantrelPage.dialogIcon(dlg, x, y, HEAPU8.slice(rgba, rgba + cx * cy * 4), cx, cy);
  },
  vt_dialog_get_text: function (dlg, id, buffer, size) {
    var text = VantrelPage.dialogGetText(dlg, id);
    var length = lengthBytesUTF8(text);
    if (length < size) stringToUTF8(text, buffer, size);
    return length;
  },
  vt_dialog_set_text: function (dlg, id, text) {
    VantrelPage.dialogSetText(dlg, id, UTF8ToString(text));
  },
  vt_dialog_set_limit: function (dlg, id, bytes) {
    VantrelPage.dialogSetLimit(dlg, id, bytes);
  },
  vt_dialog_focus_first: function (dlg) {
    VantrelPage.dialogFocusFirst(dlg);
  },
  vt_dialog_show: function (dlg) {
    VantrelPage.dialogShow(dlg);
  },
  vt_dialog_remove: function (dlg) {
    VantrelPage.dialogRemove(dlg);
  },
  vt_sound_prepare: function (file) {
    VantrelPage.soundPrepare(UTF8ToString(file));
  },
  vt_sound_play: function (file) {
    VantrelPage.soundPlay(UTF8ToString(file));
  },
  vt_query_seed: function (ptr) {
    var seed = VantrelPage.querySeed();
    if (seed === null) return 0;
    HEAPU32[ptr >> 2] = seed;
    return 1;
  },
  vt_show_seed: function (seed) {
    VantrelPage.showSeed(seed >>> 0);
  },
};

mergeInto(LibraryManager.library, VantrelLibrary);
