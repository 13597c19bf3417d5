// The browser's side of the web back end (web_platform.cpp): the canvas the frames are put on,
// and the listeners that hand the page's keyboard and the canvas's mouse to the platform.
// The page gives the canvas as Module.canvas, and may listen with Module.boxeditFrame(workMs)
// (each frame presented, with the time the editor worked for it) and
// Module.boxeditFileReplaced(path) (a watched file was written anew).
mergeInto(LibraryManager.library, {
  $BoxeditWeb: {
    context: null,
    listeners: [],  // [target, type, handler] of each listener while the window is open
    buttons: 0,     // bits of the mouse buttons pressed on the canvas and not yet let go
    // A copy of the text on the stack, as a C string.
    onStack: function(text) {
      var size = lengthBytesUTF8(text) + 1;
      var at = stackAlloc(size);
      stringToUTF8(text, at, size);
      return at;
    },
  },

  boxedit_web_has_canvas: function() {
    return Module['canvas'] ? 1 : 0;
  },

  boxedit_web_open_canvas__deps: ['$BoxeditWeb'],
  boxedit_web_open_canvas: function(width, height) {
    var canvas = Module['canvas'];
    if (!canvas) return 0;
    canvas.width = width;
    canvas.height = height;
    BoxeditWeb.context = canvas.getContext('2d', {alpha: false});
    return BoxeditWeb.context ? 1 : 0;
  },

  // rgba is null when the frame is the one the canvas already shows.
  boxedit_web_present__deps: ['$BoxeditWeb'],
  boxedit_web_present: function(rgba, width, height, frameWorkMs) {
    if (rgba && BoxeditWeb.context) {
      var pixels = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
      BoxeditWeb.context.putImageData(new ImageData(pixels, width, height), 0, 0);
    }
    if (Module['boxeditFrame']) Module['boxeditFrame'](frameWorkMs);
  },

  boxedit_web_listen__deps: ['$BoxeditWeb'],
  boxedit_web_listen: function() {
    var canvas = Module['canvas'];
    function add(target, type, handler) {
      target.addEventListener(type, handler);
      BoxeditWeb.listeners.push([target, type, handler]);
    }
    // The canvas's pixel under the pointer. The canvas keeps its 4:3 shape on the page, but in
    // full screen the browser letterboxes it inside a larger box: the bands are left out. The
    // browser reports the whole CSS pixel the pointer is in: its centre stands for the pointer,
    // as its corner may lie in the canvas pixel before (the canvas starts a fraction of a CSS
    // pixel in, and each of its pixels spans more than one).
    function send(event, button, e) {
      var box = canvas.getBoundingClientRect();
      var scale = Math.min(box.width / canvas.width, box.height / canvas.height);
      var left = box.left + (box.width - canvas.width * scale) / 2;
      var top = box.top + (box.height - canvas.height * scale) / 2;
      _boxedit_web_mouse(event, button, Math.floor((Math.floor(e.clientX) + 0.5 - left) / scale),
                         Math.floor((Math.floor(e.clientY) + 0.5 - top) / scale), e.ctrlKey,
                         e.shiftKey, e.altKey);
    }
    add(document, 'keydown', function(e) {
      if (e.isComposing) return;
      // Called directly, not with ccall: while the editor sleeps, Emscripten's ccall takes any
      // call for an asynchronous one and would answer with a promise.
      var top = stackSave();
      var editorKey = _boxedit_web_key_down(BoxeditWeb.onStack(e.key), BoxeditWeb.onStack(e.code),
                                            e.ctrlKey, e.shiftKey, e.altKey);
      stackRestore(top);
      // The editor's keys are its own: no reload on F5, no developer tools on F12, no save
      // dialog on Ctrl+S, no scrolling on the arrows and Page Up/Down, no move of the focus on
      // Tab. Ctrl with minus or plus is not one of them: it zooms the page.
      if (editorKey) e.preventDefault();
    });
    add(canvas, 'mousedown', function(e) {
      BoxeditWeb.buttons |= 1 << e.button;
      canvas.focus();
      send(1, e.button, e);
      e.preventDefault();
    });
    // On the window, so that a drag begun on the canvas goes on (pulled onto the screen's
    // edge) when the pointer leaves it.
    add(window, 'mousemove', function(e) {
      if (BoxeditWeb.buttons !== 0 || e.target === canvas) send(0, 0, e);
    });
    add(window, 'mouseup', function(e) {
      var bit = 1 << e.button;
      if ((BoxeditWeb.buttons & bit) === 0) return;
      BoxeditWeb.buttons &= ~bit;
      send(2, e.button, e);
    });
    add(canvas, 'contextmenu', function(e) { e.preventDefault(); });
  },

  boxedit_web_unlisten__deps: ['$BoxeditWeb'],
  boxedit_web_unlisten: function() {
    BoxeditWeb.listeners.forEach(function(l) { l[0].removeEventListener(l[1], l[2]); });
    BoxeditWeb.listeners = [];
    BoxeditWeb.buttons = 0;
  },

  boxedit_web_toggle_fullscreen: function() {
    var canvas = Module['canvas'];
    if (document.fullscreenElement) {
      document.exitFullscreen();
    } else if (canvas && canvas.requestFullscreen) {
      canvas.requestFullscreen();
    }
  },

  boxedit_web_file_replaced: function(path) {
    if (Module['boxeditFileReplaced']) Module['boxeditFileReplaced'](UTF8ToString(path));
  },
});
