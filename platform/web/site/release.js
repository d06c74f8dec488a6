// The page's side of its offline copy: the service worker registered and asked for a new release at each visit; a
// release it fetched during an earlier visit is taken when this one starts, before anything is played.
'use strict';

var VantrelRelease = (function () {
  var played = false;
  ['pointerdown', 'keydown'].forEach(function (type) {
    document.addEventListener(type, function () { played = true; }, { capture: true, once: true });
  });

  // Called once the first field is on screen.
  function keep() {
    if (!('serviceWorker' in navigator) || !/^https?:$/.test(location.protocol)) return;
    var workers = navigator.serviceWorker;
    workers.register('sw.js', { updateViaCache: 'none' }).then(function (registration) {
      if (registration.waiting && registration.active && !played) {
        var reloading = false;
        workers.addEventListener('controllerchange', function () {
          if (reloading || played) return;
          reloading = true;
          location.reload();
        });
        registration.waiting.postMessage('take');
      }
      return registration.update();
    }).catch(function (e) { console.warn('offline use: ' + e.message); });
  }

  return { keep: keep };
})();
