// The ranking's storage in the page: its folder in IndexedDB, every file the program writes stored there in the task
// that closes it, pending saves made when the page may be lost, and one tab at a time holding the folder.
'use strict';

var VantrelStorage = (function () {
  var DATA_DIR = '/data';
  // IDBFS's database is named after the folder; one entry per file, keyed by its path.
  var STORE = 'FILE_DATA';
  var LOCK = 'vantrel-ranking';
  var MOVE_WAIT_MS = 3000;
  var EIO = 29;
  var O_ACCMODE = 3;
  var ELSEWHERE = 'The game is open in another tab of this browser. Only one tab at a time keeps the ranking.';
  var MOVED = 'The game was moved to another tab.';
  var Module = null;
  var db = null;
  var mounted = false;
  var usable = false;
  var writes = 0;
  var waiters = [];
  var channel = null;
  var release = null;

  function inFolder(path) {
    return typeof path === 'string' && path.slice(0, path.lastIndexOf('/')) === DATA_DIR;
  }

  function lose(why) {
    if (usable) console.warn('storage: ' + why);
    usable = false;
    if (db) db.onclose = db.onversionchange = null;
    db = null;
    delete Module.IDBFS.dbs[DATA_DIR];
  }

  // Starts the write of one file, committed in this task, so that a page closed right after keeps it.
  function store(path) {
    if (!usable) return false;
    try {
      var FS = Module.FS;
      var stat = FS.stat(path);
      var tx = db.transaction([STORE], 'readwrite');
      tx.objectStore(STORE).put({ timestamp: stat.mtime, mode: stat.mode, contents: FS.readFile(path) }, path);
      ++writes;
      tx.oncomplete = function () { wrote(); };
      tx.onabort = function () {
        lose('a write was refused (' + tx.error + ')');
        wrote();
      };
      if (tx.commit) tx.commit();
      return true;
    } catch (e) {
      lose(e.message);
      return false;
    }
  }

  function wrote() {
    if (--writes > 0) return;
    var ready = waiters;
    waiters = [];
    ready.forEach(function (callback) { callback(usable); });
  }

  // Calls back with whether storage is still kept, once every started write has ended.
  function whenStored(callback) {
    if (writes === 0) callback(usable);
    else waiters.push(callback);
  }

  // Once the folder is read, writes to it fail at once while storage is lost, so the game reports them in its file-error box; a
  // file written, or renamed into the folder, goes to the database.
  function watchFiles(FS) {
    var open = FS.open, write = FS.write, close = FS.close, rename = FS.rename;
    FS.open = function (path, flags) {
      var bits = typeof flags === 'string' ? FS.modeStringToFlags(flags) : flags;
      var where = typeof path === 'string' ? (path[0] === '/' ? path : FS.cwd() + '/' + path) : FS.getPath(path);
      if (mounted && !usable && (bits & O_ACCMODE) !== 0 && where.indexOf(DATA_DIR + '/') === 0) throw new FS.ErrnoError(EIO);
      return open.apply(this, arguments);
    };
    FS.write = function (stream) {
      stream.written = true;
      return write.apply(this, arguments);
    };
    FS.close = function (stream) {
      close.apply(this, arguments);
      if (mounted && stream.written && inFolder(stream.path) && !store(stream.path)) throw new FS.ErrnoError(EIO);
    };
    FS.rename = function (from, to) {
      rename.apply(this, arguments);
      if (mounted && inFolder(to) && !store(to)) throw new FS.ErrnoError(EIO);
    };
  }

  function mount(done) {
    var FS = Module.FS;
    watchFiles(FS);
    FS.mkdir(DATA_DIR);
    var finish = function (err) {
      db = Module.IDBFS.dbs[DATA_DIR] || null;
      usable = !err && db !== null;
      if (err) console.warn('storage: ' + err);
      if (db) {
        db.onversionchange = function () {
          db.close();
          lose('the stored data was deleted');
        };
        db.onclose = function () { lose('the browser closed the stored data'); };
      }
      FS.chdir(DATA_DIR);
      mounted = true;
      done();
    };
    try {
      FS.mount(Module.IDBFS, {}, DATA_DIR);
      FS.syncfs(true, finish);
    } catch (e) {
      finish(e);
    }
  }

  // The program saves what it holds unsaved (a record under an open ranking box); its write is committed in this
  // task, before the page can go.
  function endSession() {
    if (Module && Module.calledRun && usable) Module._vt_session_end();
  }
  window.addEventListener('pagehide', endSession);
  document.addEventListener('visibilitychange', function () {
    if (document.visibilityState === 'hidden') endSession();
  });

  // ---- One tab at a time: the tab that holds the lock keeps the folder; another says so and offers to take it.
  function notice(text, onButton) {
    var section = document.getElementById('elsewhere');
    if (!section) {
      section = document.createElement('section');
      section.id = 'elsewhere';
      section.style.cssText = 'text-align: center; padding: 48px 16px';
      section.setAttribute('aria-live', 'polite');
      section.append(document.createElement('p'), document.createElement('button'));
      section.lastChild.type = 'button';
      section.lastChild.textContent = 'Play here';
      document.body.prepend(section);
    }
    section.firstChild.textContent = text;
    section.lastChild.onclick = onButton;
    section.hidden = false;
    document.getElementById('window').hidden = true;
    section.lastChild.focus();
  }

  function request(options, granted) {
    var held = false;
    navigator.locks.request(LOCK, options, function (lock) {
      if (!lock) {
        notice(ELSEWHERE, function () { moveHere(granted); });
        return undefined;
      }
      held = true;
      if (document.getElementById('elsewhere')) document.getElementById('elsewhere').remove();
      if (channel) channel.onmessage = function (e) { if (e.data === 'move') letGo(); };
      granted();
      return new Promise(function (resolve) { release = resolve; });
    }).catch(function (e) {
      if (held && e.name === 'AbortError') movedAway();
    });
  }

  // Asks the tab holding the folder to let go; one that does not answer in time (a frozen tab) loses it.
  function moveHere(granted) {
    document.getElementById('elsewhere').hidden = true;
    channel.postMessage('move');
    var waiting = new AbortController();
    var timer = setTimeout(function () {
      waiting.abort();
      request({ steal: true }, granted);
    }, MOVE_WAIT_MS);
    request({ signal: waiting.signal }, function () {
      clearTimeout(timer);
      granted();
    });
  }

  function movedAway() {
    usable = false;
    if (Module.vt) Module.vt.halt();
    notice(MOVED, function () { moveHere(function () { location.reload(); }); });
  }

  // Another tab takes the game: what is pending is saved first, and the lock goes once it is stored.
  function letGo() {
    endSession();
    movedAway();
    whenStored(function () { release(); });
  }

  // Holds the folder for this tab (or waits for the player to move the game here), mounts it and reads it, then
  // calls done.
  function open(module, done) {
    Module = module;
    if (!navigator.locks || !('BroadcastChannel' in window)) {
      mount(done);
      return;
    }
    channel = new BroadcastChannel(LOCK);
    request({ ifAvailable: true }, function () { mount(done); });
  }

  // Asks the browser not to clear the folder when space runs short.
  function askToKeep() {
    if (navigator.storage && navigator.storage.persist) navigator.storage.persist().catch(function () {});
  }

  return { open: open, whenStored: whenStored, askToKeep: askToKeep };
})();
