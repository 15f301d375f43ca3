<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko_KR" sourcelanguage="en_US">
<context>
    <name></name>
    <message id="301">
        <source>Open Orbit</source>
        <translation>Orbit 열기</translation>
    </message>
    <message id="302">
        <source>Remote Monitor</source>
        <translation>원격 모니터</translation>
    </message>
    <message id="303">
        <source>Open</source>
        <translation>켜기</translation>
    </message>
    <message id="304">
        <source>Close</source>
        <translation>끄기</translation>
    </message>
    <message id="305">
        <source>Setting</source>
        <translation>설정</translation>
    </message>
    <message id="306">
        <source>Sound Settings</source>
        <translation>사운드 설정</translation>
    </message>
    <message id="307">
        <source>Language</source>
        <translation>언어</translation>
    </message>
    <message id="308">
        <source>English</source>
        <extracomment>Language names are written in their own language in every table.</extracomment>
        <translation>English</translation>
    </message>
    <message id="309">
        <source>繁體中文</source>
        <extracomment>Language names are written in their own language in every table.</extracomment>
        <translation>繁體中文</translation>
    </message>
    <message id="310">
        <source>简体中文</source>
        <extracomment>Language names are written in their own language in every table.</extracomment>
        <translation>简体中文</translation>
    </message>
    <message id="311">
        <source>About</source>
        <translation>정보</translation>
    </message>
    <message id="312">
        <source>Close</source>
        <translation>종료</translation>
    </message>
    <message id="313">
        <source>Orbit Connected</source>
        <extracomment>Tray tooltip; the balloon shows it without its first &quot;Orbit &quot;.</extracomment>
        <translation>Orbit 연결됨</translation>
    </message>
    <message id="314">
        <source>Orbit Disconnected</source>
        <extracomment>Tray tooltip; the balloon shows it without its first &quot;Orbit &quot;.</extracomment>
        <translation>Orbit 연결 끊김</translation>
    </message>
    <message id="315">
        <source>Orbit Monitor</source>
        <extracomment>Tray tooltip; the balloon shows it without its first &quot;Orbit &quot;.</extracomment>
        <translation>Orbit 모니터링 중</translation>
    </message>
    <message id="316">
        <source>Orbit Monitor but Skype Offline</source>
        <extracomment>Tray tooltip; the balloon shows it without its first &quot;Orbit &quot;.</extracomment>
        <translation>Orbit 모니터링 중, Skype 오프라인</translation>
    </message>
    <message id="317">
        <source>Preview Window</source>
        <translation>미리 보기 창</translation>
    </message>
    <message id="318">
        <source>From</source>
        <translation>보낸 사람</translation>
    </message>
    <message id="319">
        <source>To</source>
        <translation>받는 사람</translation>
    </message>
    <message id="320">
        <source>Send To</source>
        <translation>보낼 대상</translation>
    </message>
    <message id="321">
        <source>Mirror</source>
        <translation>미러</translation>
    </message>
    <message id="322">
        <source>Select A Friend</source>
        <translation>친구 선택</translation>
    </message>
    <message id="323">
        <source>Take Photo</source>
        <translation>사진 찍기</translation>
    </message>
    <message id="324">
        <source>Send Photo</source>
        <translation>사진 보내기</translation>
    </message>
    <message id="325">
        <source>View Photo</source>
        <translation>사진 보기</translation>
    </message>
    <message id="326">
        <source>Open Folder</source>
        <translation>폴더 열기</translation>
    </message>
    <message id="327">
        <source>Setting</source>
        <translation>설정</translation>
    </message>
    <message id="328">
        <source>Send Software</source>
        <translation>소프트웨어 보내기</translation>
    </message>
    <message id="329">
        <source>Preview Window Size</source>
        <translation>미리 보기 창 크기</translation>
    </message>
    <message id="330">
        <source>Send Photo</source>
        <translation>사진 보내기</translation>
    </message>
    <message id="331">
        <source>Save As</source>
        <translation>다른 이름으로 저장</translation>
    </message>
    <message id="332">
        <source>Rename</source>
        <translation>이름 바꾸기</translation>
    </message>
    <message id="333">
        <source>Delete</source>
        <translation>삭제</translation>
    </message>
    <message id="334">
        <source>Content</source>
        <translation>내용</translation>
    </message>
    <message id="335">
        <source>Status</source>
        <translation>상태</translation>
    </message>
    <message id="336">
        <source>Progress</source>
        <translation>진행률</translation>
    </message>
    <message id="337">
        <source>Photo Name</source>
        <translation>사진 이름</translation>
    </message>
    <message id="338">
        <source>From/To</source>
        <translation>보낸 사람/받는 사람</translation>
    </message>
    <message id="339">
        <source>Resolution</source>
        <translation>해상도</translation>
    </message>
    <message id="340">
        <source>Size</source>
        <translation>크기</translation>
    </message>
    <message id="341">
        <source>Connecting...</source>
        <translation>연결 중...</translation>
    </message>
    <message id="342">
        <source>Finish</source>
        <translation>완료</translation>
    </message>
    <message id="343">
        <source>Connect fail</source>
        <translation>연결 실패</translation>
    </message>
    <message id="344">
        <source>Overtime</source>
        <translation>시간 초과</translation>
    </message>
    <message id="345">
        <source>Rejected</source>
        <translation>거부됨</translation>
    </message>
    <message id="346">
        <source>Canceled</source>
        <translation>취소됨</translation>
    </message>
    <message id="347">
        <source>?</source>
        <translation>?</translation>
    </message>
    <message id="348">
        <source>?</source>
        <translation>?</translation>
    </message>
    <message id="349">
        <source>?</source>
        <translation>?</translation>
    </message>
    <message id="350">
        <source>Orbit device has been detected but video source is occupied by another application. Please close other video application and restart the software.</source>
        <translation>Orbit 장치가 감지되었지만 다른 응용 프로그램이 비디오 소스를 사용하고 있습니다. 다른 비디오 응용 프로그램을 닫은 후 소프트웨어를 다시 시작하십시오.</translation>
    </message>
    <message id="351">
        <source>Can not find Orbit device. Please plug in the Orbit device and make sure the power switch has been set as &quot;On.&quot; Restart Orbit Software.</source>
        <translation>Orbit 장치를 찾을 수 없습니다. Orbit 장치를 연결하고 전원 스위치가 &quot;On&quot;으로 설정되어 있는지 확인한 후 Orbit 소프트웨어를 다시 시작하십시오.</translation>
    </message>
    <message id="352">
        <source>Getting Contact List</source>
        <translation>연락처 목록을 가져오는 중</translation>
    </message>
    <message id="353">
        <source>Rename</source>
        <translation>이름 바꾸기</translation>
    </message>
    <message id="354">
        <source>! Your requested file name existed. Please use other name.</source>
        <translation>! 요청한 파일 이름이 이미 있습니다. 다른 이름을 사용하십시오.</translation>
    </message>
    <message id="355">
        <source>Photo Name</source>
        <translation>사진 이름</translation>
    </message>
    <message id="356">
        <source>General Setting</source>
        <translation>일반 설정</translation>
    </message>
    <message id="357">
        <source>Select Device</source>
        <translation>장치 선택</translation>
    </message>
    <message id="358">
        <source>Video Device:</source>
        <translation>비디오 장치:</translation>
    </message>
    <message id="359">
        <source>Take Photo Mode</source>
        <translation>사진 찍기 모드</translation>
    </message>
    <message id="360">
        <source>Direct</source>
        <translation>바로 찍기</translation>
    </message>
    <message id="361">
        <source>After 5 Second</source>
        <translation>5초 후 찍기</translation>
    </message>
    <message id="362">
        <source>File Name</source>
        <translation>파일 이름</translation>
    </message>
    <message id="363">
        <source>Date +  Serial number</source>
        <translation>날짜 + 일련번호</translation>
    </message>
    <message id="364">
        <source>Customize</source>
        <translation>사용자 지정</translation>
    </message>
    <message id="365">
        <source>File Location</source>
        <translation>파일 위치</translation>
    </message>
    <message id="366">
        <source>Change</source>
        <translation>변경</translation>
    </message>
    <message id="367">
        <source>Capture Resolution</source>
        <translation>캡처 해상도</translation>
    </message>
    <message id="368">
        <source>Capture Frame Rate</source>
        <translation>캡처 프레임 속도</translation>
    </message>
    <message id="369">
        <source>Frame/Second</source>
        <translation>프레임/초</translation>
    </message>
    <message id="370">
        <source>(Default)</source>
        <translation>(기본값)</translation>
    </message>
    <message id="371">
        <source>Remote Monitor</source>
        <translation>원격 모니터</translation>
    </message>
    <message id="372">
        <source>*Start Automatic answering Skype incoming calls and remote control function. User can make Skype calls from other computers and type password for remote monitor function. The Skype incoming calls would be automatically answered and Skype video would be activated later.</source>
        <translation>*Skype 수신 전화 자동 응답 및 원격 제어 기능을 시작합니다. 다른 컴퓨터에서 Skype로 전화를 걸고 암호를 입력하여 원격 모니터 기능을 사용할 수 있습니다. Skype 수신 전화는 자동으로 응답되며 이어서 Skype 비디오가 시작됩니다.</translation>
    </message>
    <message id="373">
        <source>Enable automatic answering Skype incoming calls function and start Skype video</source>
        <translation>Skype 수신 전화 자동 응답 기능을 켜고 Skype 비디오 시작</translation>
    </message>
    <message id="374">
        <source>Type Password</source>
        <translation>암호 입력</translation>
    </message>
    <message id="375">
        <source>Re-type Password</source>
        <translation>암호 다시 입력</translation>
    </message>
    <message id="376">
        <source>Save</source>
        <translation>저장</translation>
    </message>
    <message id="377">
        <source>Change</source>
        <translation>변경</translation>
    </message>
    <message id="378">
        <source>Please type and confirm Password</source>
        <translation>암호를 입력하고 확인하십시오</translation>
    </message>
    <message id="379">
        <source>Password has been saved. Press &quot;Change&quot; button to change password.</source>
        <translation>암호가 저장되었습니다. 암호를 바꾸려면 &quot;변경&quot; 버튼을 누르십시오.</translation>
    </message>
    <message id="380">
        <source>Remote monitor function has been started. All Skype incoming calls would be automatically answered and Skype video would be started after verifying password.</source>
        <translation>원격 모니터 기능이 시작되었습니다. 모든 Skype 수신 전화는 자동으로 응답되며, 암호를 확인한 후 Skype 비디오가 시작됩니다.</translation>
    </message>
    <message id="381">
        <source>! Can not start remote monitor function. Please plug in Orbit device.</source>
        <translation>! 원격 모니터 기능을 시작할 수 없습니다. Orbit 장치를 연결하십시오.</translation>
    </message>
    <message id="382">
        <source>Fail to set password. Please type and re-type password for activating remote monitor function.</source>
        <translation>암호를 설정하지 못했습니다. 원격 모니터 기능을 켜려면 암호를 입력하고 다시 한 번 입력하십시오.</translation>
    </message>
    <message id="383">
        <source>Your password is not correct.</source>
        <translation>암호가 올바르지 않습니다.</translation>
    </message>
    <message id="384">
        <source>Image Control</source>
        <translation>이미지 조정</translation>
    </message>
    <message id="385">
        <source>Image Mirror</source>
        <translation>이미지 미러</translation>
    </message>
    <message id="386">
        <source>Image Flip</source>
        <translation>이미지 뒤집기</translation>
    </message>
    <message id="387">
        <source>Low Light</source>
        <translation>저조도</translation>
    </message>
    <message id="388">
        <source>Brightness</source>
        <translation>밝기</translation>
    </message>
    <message id="389">
        <source>Contrast</source>
        <translation>대비</translation>
    </message>
    <message id="390">
        <source>Gamma</source>
        <translation>감마</translation>
    </message>
    <message id="391">
        <source>Hue</source>
        <translation>색조</translation>
    </message>
    <message id="392">
        <source>Saturation</source>
        <translation>채도</translation>
    </message>
    <message id="393">
        <source>Sharpness</source>
        <translation>선명도</translation>
    </message>
    <message id="394">
        <source>VGA SnapSize</source>
        <translation>VGA 스냅 크기</translation>
    </message>
    <message id="395">
        <source>Auto Mode Control</source>
        <translation>자동 모드 조정</translation>
    </message>
    <message id="396">
        <source>AUTO</source>
        <translation>자동</translation>
    </message>
    <message id="397">
        <source>USB Bandwidth</source>
        <translation>USB 대역폭</translation>
    </message>
    <message id="398">
        <source>Exposure</source>
        <translation>노출</translation>
    </message>
    <message id="399">
        <source>WhiteBalance</source>
        <translation>화이트 밸런스</translation>
    </message>
    <message id="400">
        <source>Red</source>
        <translation>빨강</translation>
    </message>
    <message id="401">
        <source>Blue</source>
        <translation>파랑</translation>
    </message>
    <message id="402">
        <source>Green</source>
        <translation>초록</translation>
    </message>
    <message id="403">
        <source>Default</source>
        <translation>기본값</translation>
    </message>
    <message id="404">
        <source>Reset</source>
        <translation>초기화</translation>
    </message>
    <message id="405">
        <source>Save</source>
        <translation>저장</translation>
    </message>
    <message id="406">
        <source>Restore</source>
        <translation>복원</translation>
    </message>
    <message id="407">
        <source>In/Out Door</source>
        <translation>실내/실외</translation>
    </message>
    <message id="408">
        <source>Outdoor</source>
        <translation>실외</translation>
    </message>
    <message id="409">
        <source>Indoor</source>
        <translation>실내</translation>
    </message>
    <message id="410">
        <source>Flicker</source>
        <translation>깜박임</translation>
    </message>
    <message id="411">
        <source>50 Hz</source>
        <translation>50 Hz</translation>
    </message>
    <message id="412">
        <source>60 Hz</source>
        <translation>60 Hz</translation>
    </message>
    <message id="413">
        <source>Extra Control</source>
        <translation>추가 조정</translation>
    </message>
    <message id="414">
        <source>Backlight Comp.</source>
        <translation>역광 보정</translation>
    </message>
    <message id="415">
        <source>B/W Mode</source>
        <translation>흑백 모드</translation>
    </message>
    <message id="416">
        <source>Effect</source>
        <translation>효과</translation>
    </message>
    <message id="417">
        <source>No effect &amp;&amp; frame</source>
        <extracomment>A doubled ampersand shows as one.</extracomment>
        <translation>효과 및 프레임 없음</translation>
    </message>
    <message id="418">
        <source>Auto Change</source>
        <translation>자동 변경</translation>
    </message>
    <message id="419">
        <source>Effect</source>
        <translation>효과</translation>
    </message>
    <message id="420">
        <source>Aged Photo</source>
        <translation>오래된 사진</translation>
    </message>
    <message id="421">
        <source>Canvas</source>
        <translation>캔버스</translation>
    </message>
    <message id="422">
        <source>Emboss</source>
        <translation>엠보스</translation>
    </message>
    <message id="423">
        <source>Neon Light</source>
        <translation>네온 조명</translation>
    </message>
    <message id="424">
        <source>Invert</source>
        <translation>반전</translation>
    </message>
    <message id="425">
        <source>Motion</source>
        <translation>모션</translation>
    </message>
    <message id="426">
        <source>Spread</source>
        <translation>퍼짐</translation>
    </message>
    <message id="427">
        <source>Shear</source>
        <translation>기울이기</translation>
    </message>
    <message id="428">
        <source>Monitor</source>
        <translation>모니터</translation>
    </message>
    <message id="429">
        <source>Ellipse</source>
        <translation>타원</translation>
    </message>
    <message id="430">
        <source>Alien Map</source>
        <translation>에일리언 맵</translation>
    </message>
    <message id="431">
        <source>Glass Tile</source>
        <translation>유리 타일</translation>
    </message>
    <message id="432">
        <source>Wind</source>
        <translation>바람</translation>
    </message>
    <message id="433">
        <source>Magic Mirror</source>
        <translation>요술 거울</translation>
    </message>
    <message id="434">
        <source>Mosaic</source>
        <translation>모자이크</translation>
    </message>
    <message id="435">
        <source>TV Effect</source>
        <translation>TV 효과</translation>
    </message>
    <message id="436">
        <source>Water Color</source>
        <translation>수채화</translation>
    </message>
    <message id="437">
        <source>Frame</source>
        <translation>프레임</translation>
    </message>
    <message id="438">
        <source>Post Card</source>
        <translation>엽서</translation>
    </message>
    <message id="439">
        <source>Flower</source>
        <translation>꽃</translation>
    </message>
    <message id="440">
        <source>Jungle</source>
        <translation>정글</translation>
    </message>
    <message id="441">
        <source>Television</source>
        <translation>텔레비전</translation>
    </message>
    <message id="442">
        <source>Magazine</source>
        <translation>잡지</translation>
    </message>
    <message id="443">
        <source>Computer</source>
        <translation>컴퓨터</translation>
    </message>
    <message id="444">
        <source>Aim</source>
        <translation>조준</translation>
    </message>
    <message id="445">
        <source>Paper</source>
        <translation>종이</translation>
    </message>
    <message id="446">
        <source>Snow</source>
        <translation>눈</translation>
    </message>
    <message id="447">
        <source>Magnifier</source>
        <translation>돋보기</translation>
    </message>
    <message id="448">
        <source>About</source>
        <translation>정보</translation>
    </message>
    <message id="449">
        <source>https://orbit.ostrel.example/</source>
        <extracomment>The maker's web site: the About page's link text and target.</extracomment>
        <translation>https://orbit.ostrel.example/</translation>
    </message>
    <message id="450">
        <source>OK</source>
        <translation>확인</translation>
    </message>
    <message id="451">
        <source>Cancel</source>
        <translation>취소</translation>
    </message>
    <message id="452">
        <source>Apply</source>
        <translation>적용</translation>
    </message>
    <message id="453">
        <source>Orbit is Starting Up...</source>
        <translation>Orbit을 시작하는 중...</translation>
    </message>
    <message id="454">
        <source>The selected picture has been deleted. It can not be viewed and transferred.</source>
        <translation>선택한 사진이 삭제되어 보거나 전송할 수 없습니다.</translation>
    </message>
    <message id="455">
        <source>Delete the event?</source>
        <translation>이벤트를 삭제하시겠습니까?</translation>
    </message>
    <message id="456">
        <source>Delete the picture?</source>
        <translation>사진을 삭제하시겠습니까?</translation>
    </message>
    <message id="457">
        <source>Delete selected events and pictures?</source>
        <translation>선택한 이벤트와 사진을 삭제하시겠습니까?</translation>
    </message>
    <message id="458">
        <source>Please enter password.</source>
        <translation>암호를 입력하십시오.</translation>
    </message>
    <message id="459">
        <source>Password is correct. Please wait.</source>
        <translation>암호가 맞습니다. 잠시 기다리십시오.</translation>
    </message>
    <message id="460">
        <source>Invalid password. Please try again.</source>
        <translation>암호가 틀렸습니다. 다시 입력하십시오.</translation>
    </message>
    <message id="461">
        <source>Too many failed attempts, wait later to retry.</source>
        <translation>실패 횟수가 너무 많습니다. 나중에 다시 시도하십시오.</translation>
    </message>
    <message id="462">
        <source>Please select a contact before transferring.</source>
        <translation>전송하기 전에 연락처를 선택하십시오.</translation>
    </message>
    <message id="463">
        <source>Please check Skype online.</source>
        <translation>Skype가 온라인 상태인지 확인하십시오.</translation>
    </message>
    <message id="464">
        <source>The function is applied to images except 800x 600 dpi.</source>
        <translation>이 기능은 800x600 이미지에는 적용되지 않습니다.</translation>
    </message>
    <message id="465">
        <source>Check Skype log in and Orbit is allowed to access to Skype.</source>
        <translation>Skype에 로그인되어 있고 Orbit의 Skype 액세스가 허용되어 있는지 확인하십시오.</translation>
    </message>
    <message id="466">
        <source>Fail to send &quot;</source>
        <extracomment>Message = 466 + file name + 467 + contact + 468, joined without separators.</extracomment>
        <translation>전송 오류: &quot;</translation>
    </message>
    <message id="467">
        <source>&quot; files to &quot;</source>
        <extracomment>Message = 466 + file name + 467 + contact + 468, joined without separators.</extracomment>
        <translation>&quot; 파일을 &quot;</translation>
    </message>
    <message id="468">
        <source>&quot; because the receiver may not have Orbit software. Please press the button &quot;Sending Software&quot; to the receiver for installation.</source>
        <extracomment>Message = 466 + file name + 467 + contact + 468, joined without separators.</extracomment>
        <translation>&quot;님에게 보내지 못했습니다. 받는 사람에게 Orbit 소프트웨어가 없을 수 있습니다. &quot;소프트웨어 보내기&quot; 버튼을 눌러 받는 사람에게 설치 파일을 보내 주십시오.</translation>
    </message>
    <message id="469">
        <source>&quot;Are you sure to close resident Orbit? It would cause dysfunction of sending pictures and remote monitor.&quot;</source>
        <translation>&quot;상주 중인 Orbit을 종료하시겠습니까? 종료하면 사진 보내기와 원격 모니터 기능을 사용할 수 없습니다.&quot;</translation>
    </message>
    <message id="470">
        <source>Intro.</source>
        <translation>도움말</translation>
    </message>
    <message id="471">
        <source>eng</source>
        <extracomment>Folder of the help pages: &quot;eng&quot; or &quot;cht&quot; (there are no Korean help pages).</extracomment>
        <translation>eng</translation>
    </message>
    <message id="472">
        <source>The picture could not be saved there. Please choose another folder or name.</source>
        <translation>사진을 그 위치에 저장할 수 없습니다. 다른 폴더나 이름을 선택하십시오.</translation>
    </message>
    <message id="473">
        <source>The picture could not be renamed. The name may already be in use, or the folder may not allow changes.</source>
        <translation>사진 이름을 바꿀 수 없습니다. 이미 사용 중인 이름이거나 폴더를 변경할 수 없습니다.</translation>
    </message>
    <message id="474">
        <source>The help page could not be found. Please reinstall Orbit.</source>
        <translation>도움말 페이지를 찾을 수 없습니다. Orbit을 다시 설치하십시오.</translation>
    </message>
    <message id="475">
        <source>Orbit could not save its photo list or settings. Please check that the disk has free space and that the folder can be written to.</source>
        <translation>Orbit에서 사진 목록 또는 설정을 저장할 수 없습니다. 디스크에 여유 공간이 있고 폴더에 쓸 수 있는지 확인하십시오.</translation>
    </message>
    <message id="476">
        <source>Yes</source>
        <translation>예</translation>
    </message>
    <message id="477">
        <source>No</source>
        <translation>아니요</translation>
    </message>
    <message id="480">
        <source>한국어</source>
        <extracomment>Language names are written in their own language in every table.</extracomment>
        <translation>한국어</translation>
    </message>
    <message id="481">
        <source>No sound settings program was found.</source>
        <extracomment>Shown when the desktop offers no program for the sound input settings.</extracomment>
        <translation>소리 설정 프로그램을 찾을 수 없습니다.</translation>
    </message>
    <message id="482">
        <source>Select Path</source>
        <extracomment>Title of the folder chooser of the General settings page.</extracomment>
        <translation>경로 선택</translation>
    </message>
    <message id="483">
        <source>Full Screen</source>
        <extracomment>Last entry of the preview size menu: the live picture alone on a whole screen.</extracomment>
        <translation>전체 화면</translation>
    </message>
    <message id="484">
        <source>Frozen</source>
        <extracomment>Mark in a corner of the full-screen picture while it is held still.</extracomment>
        <translation>정지됨</translation>
    </message>
    <message id="485">
        <source>Keys</source>
        <extracomment>Title of the list of keys over the full-screen picture (F1).</extracomment>
        <translation>단축키</translation>
    </message>
    <message id="486">
        <source>Wheel, + or -: zoom into the point under the pointer</source>
        <extracomment>Line of the full-screen key list.</extracomment>
        <translation>휠, + 또는 -: 포인터 위치를 중심으로 확대/축소</translation>
    </message>
    <message id="487">
        <source>Drag: move the enlarged picture</source>
        <extracomment>Line of the full-screen key list.</extracomment>
        <translation>끌기: 확대한 화면 이동</translation>
    </message>
    <message id="488">
        <source>0 or middle click: the whole picture</source>
        <extracomment>Line of the full-screen key list.</extracomment>
        <translation>0 또는 가운데 버튼 클릭: 전체 화면 보기</translation>
    </message>
    <message id="489">
        <source>Space: hold the picture still, or go live again</source>
        <extracomment>Line of the full-screen key list.</extracomment>
        <translation>Space: 화면 정지 또는 실시간 보기</translation>
    </message>
    <message id="490">
        <source>R or Shift+R: turn right or left</source>
        <extracomment>Line of the full-screen key list; the picture turns by a quarter.</extracomment>
        <translation>R 또는 Shift+R: 오른쪽 또는 왼쪽으로 회전</translation>
    </message>
    <message id="491">
        <source>Enter: take a photo</source>
        <extracomment>Line of the full-screen key list.</extracomment>
        <translation>Enter: 사진 찍기</translation>
    </message>
    <message id="492">
        <source>S: show on the next screen</source>
        <extracomment>Line of the full-screen key list.</extracomment>
        <translation>S: 다음 모니터에 표시</translation>
    </message>
    <message id="493">
        <source>Esc, F11 or double-click: back to the window</source>
        <extracomment>Line of the full-screen key list.</extracomment>
        <translation>Esc, F11 또는 두 번 클릭: 창으로 돌아가기</translation>
    </message>
    <message id="494">
        <source>F1 or ?: show or hide these keys</source>
        <extracomment>Line of the full-screen key list.</extracomment>
        <translation>F1 또는 ?: 단축키 보기/숨기기</translation>
    </message>
    <message id="495">
        <source>Share as a camera for other programs</source>
        <extracomment>Check box of the General settings page: other programs (browsers, call programs) can pick the camera's picture.</extracomment>
        <translation>다른 프로그램의 카메라로 공유</translation>
    </message>
    <message id="496">
        <source>PipeWire is not running in this session, and there is no loopback camera.</source>
        <extracomment>Under the sharing check box when it cannot be used.</extracomment>
        <translation>이 세션에서 PipeWire가 실행 중이 아니며 루프백 카메라도 없습니다.</translation>
    </message>
    <message id="497">
        <source>The camera is in use by a call.</source>
        <extracomment>Shown to other programs in place of the picture while a Skype call holds the camera.</extracomment>
        <translation>통화에서 카메라를 사용 중입니다.</translation>
    </message>
    <message id="498">
        <source>No camera is connected.</source>
        <extracomment>Shown to other programs in place of the picture while no camera is plugged in.</extracomment>
        <translation>연결된 카메라가 없습니다.</translation>
    </message>
    <message id="499">
        <source>Camera shared with other programs</source>
        <extracomment>Second line of the tray icon's tooltip while the camera is shared.</extracomment>
        <translation>다른 프로그램과 카메라 공유 중</translation>
    </message>
    <message id="500">
        <source>Minimize</source>
        <extracomment>Title bar button: puts the dialog away into the taskbar; read by screen readers and shown as its tooltip.</extracomment>
        <translation>최소화</translation>
    </message>
    <message id="501">
        <source>Close</source>
        <extracomment>Title bar button: closes the dialog (Orbit goes on in the tray).</extracomment>
        <translation>닫기</translation>
    </message>
    <message id="502">
        <source>Reset Zoom</source>
        <extracomment>The 1:1 button beside the zoom slider.</extracomment>
        <translation>확대/축소 초기화</translation>
    </message>
    <message id="503">
        <source>Zoom</source>
        <extracomment>Name of the zoom slider and the zoom field, for screen readers.</extracomment>
        <translation>확대/축소</translation>
    </message>
    <message id="504">
        <source>Show List</source>
        <extracomment>The button that shows the photo list again.</extracomment>
        <translation>목록 표시</translation>
    </message>
    <message id="505">
        <source>Hide List</source>
        <extracomment>The button that hides the photo list.</extracomment>
        <translation>목록 숨기기</translation>
    </message>
    <message id="506">
        <source>Photo List</source>
        <extracomment>Name of the list of photos, for screen readers.</extracomment>
        <translation>사진 목록</translation>
    </message>
    <message id="507">
        <source>Sends the selected photo to %1.</source>
        <extracomment>Description of Send Photo for screen readers; %1 is the friend chosen under Send To.</extracomment>
        <translation>선택한 사진을 %1에게 보냅니다.</translation>
    </message>
    <message id="508">
        <source>Choose a friend under Send To first.</source>
        <extracomment>Description of Send Photo while no friend is chosen.</extracomment>
        <translation>먼저 보낼 대상에서 친구를 선택하십시오.</translation>
    </message>
    <message id="509">
        <source>Succeeded</source>
        <extracomment>What the green check in a row's Status column says to a screen reader.</extracomment>
        <translation>성공</translation>
    </message>
    <message id="510">
        <source>Not completed</source>
        <extracomment>What the red cross in a row's Status column says to a screen reader: the transfer failed or was cancelled.</extracomment>
        <translation>완료되지 않음</translation>
    </message>
    <message id="511">
        <source>Double-click or press F11 for the full-screen view.</source>
        <extracomment>Description of the preview for screen readers and its tooltip.</extracomment>
        <translation>두 번 클릭하거나 F11 키를 누르면 전체 화면으로 봅니다.</translation>
    </message>
    <message id="512">
        <source>Custom file name</source>
        <extracomment>Name of the file name field of the General settings page, for screen readers.</extracomment>
        <translation>사용자 지정 파일 이름</translation>
    </message>
    <message id="513">
        <source>Press Esc to cancel the transfer.</source>
        <extracomment>Description of a row's Cancel button for screen readers.</extracomment>
        <translation>Esc 키를 누르면 전송이 취소됩니다.</translation>
    </message>
</context>
</TS>
